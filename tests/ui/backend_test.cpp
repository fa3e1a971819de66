// The backend slot of the window layer: what answers while no program has installed a backend.
#include "ui/backend.h"

#include <memory>

#include "tests/support/ui_fixture.h"

namespace {

class NoBackendTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetBackend(nullptr);
  }
};

}  // namespace

TEST_F(NoBackendTest, InstallingAndRemovingABackend) {
  EXPECT_STREQ(Backend().Name(), "none");
  SetBackend(&HeadlessBackend());
  EXPECT_STREQ(Backend().Name(), "headless");
  SetBackend(nullptr);
  EXPECT_STREQ(Backend().Name(), "none");
}

TEST_F(NoBackendTest, ControlsLiveWithoutWindowsAndTextWithoutExtent) {
  const TControlKind kinds[] = {TControlKind::Form,     TControlKind::Label,
                                TControlKind::GroupBox, TControlKind::RadioButton,
                                TControlKind::Panel,    TControlKind::ComboBox};
  for (TControlKind kind : kinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    TControl form(TControlKind::Form, nullptr);
    std::unique_ptr<TControl> child;
    if (kind != TControlKind::Form) child = std::make_unique<TControl>(kind, &form);
    TControl* c = child ? child.get() : &form;
    c->SetText("Strength");
    c->SetVisible(true);
    form.CreateWindowTree();
    c->SetFocus();
    EXPECT_EQ(c->Native(), nullptr);
    EXPECT_FALSE(HeadlessBackend().Exists(c));  // nothing reached the backend of the fixture
    EXPECT_FALSE(c->Focused());
    EXPECT_EQ(c->Text(), "Strength");  // the control keeps what it was told
    TSize extent = c->MeasureText("Strength");
    EXPECT_EQ(extent.Width, 0);
    EXPECT_EQ(extent.Height, 0);
  }
}

TEST_F(NoBackendTest, FramesAreClassicAndTheLoopEndsAtOnce) {
  TControl form(TControlKind::Form, nullptr);
  form.SetStyle(ws::Caption | ws::SizeBox, 0);
  form.SetClientSize(200, 100);
  TSize extra = ClassicFrameExtra(ws::Caption | ws::SizeBox, 0);
  EXPECT_EQ(form.Width(), 200 + extra.Width);
  EXPECT_EQ(form.Height(), 100 + extra.Height);
  EXPECT_EQ(Backend().PixelsPerInch(), 96);
  Backend().ResetQuit();
  EXPECT_FALSE(Backend().ProcessMessages(true));
  EXPECT_FALSE(Backend().ProcessMessages(false));
}
