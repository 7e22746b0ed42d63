// The object clipboard: a small block of list indices under the program's own MIME type on the
// system clipboard. Behind an interface so that tests can refuse or inspect it.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr const char* OBJECT_CLIPBOARD_MIME = "application/x-draventis";

class IObjectClipboard {
 public:
  virtual ~IObjectClipboard() = default;
  // Replaces the clipboard's content with the bytes; false when the clipboard refused them.
  virtual bool SetData(const std::vector<std::uint8_t>& bytes) = 0;
  // Whether data of the program's type is on the clipboard.
  virtual bool HasData() const = 0;
  // The bytes of the program's type; false when there are none.
  virtual bool GetData(std::vector<std::uint8_t>& bytes) const = 0;
  // Empties the clipboard when it holds data of the program's type.
  virtual void ClearOwnData() = 0;
};

// The system clipboard (QClipboard); refuses when no GUI application runs.
class CQtObjectClipboard : public IObjectClipboard {
 public:
  bool SetData(const std::vector<std::uint8_t>& bytes) override;
  bool HasData() const override;
  bool GetData(std::vector<std::uint8_t>& bytes) const override;
  void ClearOwnData() override;
};
