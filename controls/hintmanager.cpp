#include "controls/hintmanager.h"

void THIHintManager::GetManager(TData& data, uint16_t) {
  SetNull(data);
  data.Kind = data_object;
  data.Ref = static_cast<TToolTipService*>(this);
}

void THIHintManager::AddTool(TControl& c) {
  TControl* tip = c.ToolTip();
  TToolTipInfo info;
  info.Balloon = Balloon == 0;
  info.TextColor = TextColor;
  info.BackColor = BackColor;
  info.InitialDelay = InitialDelay;
  info.AutoPopDelay = AutoPopDelay;
  info.Margin = Margin;
  info.Tracking = Tracking != 0;
  info.Font = Font;
  tip->SetFont(Font);
  tip->SetTipInfo(info);
}

void THIHintManager::RemoveTool(TControl& c) {
  c.RemoveToolTip();
}

void THIHintManager::SetToolText(TControl& c, std::string_view text) {
  TControl* tip = c.ToolTipIfAny();
  if (!tip) return;
  TToolTipInfo info = tip->TipInfo();
  info.Text.assign(text.data(), text.size());
  tip->SetTipInfo(info);
}

void THIHintManager::SetToolTitle(TControl& c, std::string_view title, int icon) {
  TControl* tip = c.ToolTipIfAny();
  if (!tip) return;
  TToolTipInfo info = tip->TipInfo();
  info.Title.assign(title.data(), title.size());
  info.Icon = (icon >= 0 && icon <= 3) ? icon : 0;
  tip->SetTipInfo(info);
}

void THIHintManager::TrackTool(TControl& c, bool on) {
  TControl* tip = c.ToolTipIfAny();
  if (!Tracking || !tip) return;
  tip->SetTrackActive(on);
}

void THIHintManager::TrackPosition(TControl& c, int x, int y) {
  TControl* tip = c.ToolTipIfAny();
  if (!Tracking || !tip) return;
  tip->SetTrackPosition(x, y);
}
