// The port writer: every command for the marking machine passes through here. The port "LPT1"
// is /dev/lp0, or the device or file that DRAVENTIS_LPT1 names ("LPT2" is /dev/lp1). Each
// command of the per-command way opens the port, writes and closes it again; a command that
// cannot be written is dropped. A regular file is appended to (so it collects a whole job) and
// a FIFO is opened without blocking; SIGPIPE is ignored once the port is first used.
#pragma once

#include <string>

#include "platform/cstring.h"
#include "platform/wintypes.h"

class CLptPort {
 public:
  CLptPort() = default;
  CLptPort(const CLptPort&) = delete;
  CLptPort& operator=(const CLptPort&) = delete;
  // Closes the console stream when it is open.
  virtual ~CLptPort();

  // ---- per-command way: each call opens, writes and closes the port
  // Trailing CR and LF removed, a ';' added when missing, then written with a line feed.
  // An empty text sends nothing.
  void SendCommand(CString text);
  // "PU%d,%d;" and "PD%d,%d;" with both values truncated toward zero; nothing after them.
  void PenUp(double x, double y);
  void PenDown(double x, double y);
  // "CE%d,%d,360;\n".
  void Circle(double rx, double ry);

  // ---- console way: one line of `length` characters in a buffer with room for three more.
  // Mode 1 ends it with CR LF and writes it through a freshly opened port; mode 2 puts a ';'
  // after it and writes it through the object's stream, opened on first use and kept.
  // 0 written, -1 no buffer, -2 zero length, -3 port not open (any other mode, or mode 2 when
  // the port cannot be opened).
  int Send(char* buffer, int length, int mode);
  // Closes the console stream.
  void Close();

  // The device or file behind a port name ("LPT1", "LPT2").
  static std::string PortPath(const char* portName = "LPT1");
  // Whether "LPT1" can be opened now; when it cannot, reason gets a message for the operator
  // naming the port and the cause.
  static BOOL CheckPort(CString* reason);

 private:
  static int OpenPort();
  static void WriteAll(int fd, const char* data, size_t length);
  static void SendBytes(const char* data, size_t length);

  int m_nPortStream = -1;  // the console stream, -1 until mode 2 opens it
};
