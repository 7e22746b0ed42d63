// An object clipboard for tests: holds the bytes it was given, or refuses them.
#pragma once

#include "platform/ui/object_clipboard.h"

class CFakeObjectClipboard : public IObjectClipboard {
 public:
  bool SetData(const std::vector<std::uint8_t>& bytes) override {
    ++sets;
    if (refuse) return false;
    data = bytes;
    has = true;
    return true;
  }
  bool HasData() const override { return has; }
  bool GetData(std::vector<std::uint8_t>& bytes) const override {
    bytes = data;
    return has;
  }
  void ClearOwnData() override {
    has = false;
    data.clear();
  }

  bool refuse = false;
  bool has = false;
  int sets = 0;
  std::vector<std::uint8_t> data;
};
