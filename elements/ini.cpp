#include "elements/ini.h"

#include "elements/inifile.h"

void THIini::doRead(TData& data, uint16_t) {
  TIniFile ini(IniPath(ReadString(data, FileNamePoint, FileName)));
  ini.Mode = TIniFile::ReadMode;
  ini.Section = ReadString(data, SectionPoint, Section);
  std::string key = ReadString(data, KeyPoint, Key);
  if (DataType == 1)
    RedirectString(data, onRead, ini.ValueString(key, {}));
  else
    RedirectInteger(data, onRead, ini.ValueInteger(key, 0));
}

void THIini::doWrite(TData& data, uint16_t) {
  TIniFile ini(IniPath(ReadString(data, FileNamePoint, FileName)));
  ini.Mode = TIniFile::WriteMode;
  ini.Section = ReadString(data, SectionPoint, Section);
  if (DataType == 1) {
    std::string value = ReadString(data, ValuePoint);
    std::string key = ReadString(data, KeyPoint, Key);
    ini.ValueString(key, value);
  } else {
    int32_t value = ReadInteger(data, ValuePoint);
    std::string key = ReadString(data, KeyPoint, Key);
    ini.ValueInteger(key, value);
  }
}
