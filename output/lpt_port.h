// The port writer: every command for the marking machine passes through here. The port "LPT1"
// is /dev/lp0, or the device or file that DRAVENTIS_LPT1 names ("LPT2" is /dev/lp1). A single
// command opens the port, writes and closes it again. A job opens the port once (OpenJob) and
// keeps it until CloseJob, so that a reader at the far end of a FIFO sees one stream and no end
// of file between two commands. A command that cannot be written whole is dropped and counted.
// A regular file is appended to and a FIFO is opened without blocking; SIGPIPE is ignored once
// the port is first used.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/wintypes.h"

class IDocMainFrame;

class CLptPort {
 public:
  CLptPort() = default;
  CLptPort(const CLptPort&) = delete;
  CLptPort& operator=(const CLptPort&) = delete;
  // Ends a job that is still open (its gathered commands are written) and closes the console
  // stream when it is open.
  virtual ~CLptPort();

  // ---- per-command way: each call opens, writes and closes the port, or goes through the
  // job's open port while a job holds it
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

  // ---- job way
  // Opens "LPT1" for a whole job; FALSE when it cannot be opened (reason gets the message for
  // the operator). The job's commands are gathered into writes of a few kilobytes.
  BOOL OpenJob(CString* reason = nullptr);
  // Writes what is gathered and closes the port; the number of commands the job lost.
  int CloseJob();
  BOOL IsJobOpen() const { return m_nJobPort >= 0; }
  // Commands that could not be written whole (a failed open, a write error, a short write)
  // since the object was made, and the operator's message about them ("" when none was lost).
  int LostCommands() const { return m_nLost; }
  CString LostMessage() const;

  // The device or file behind a port name ("LPT1", "LPT2").
  static std::string PortPath(const char* portName = "LPT1");
  // Whether "LPT1" can be opened now; when it cannot, reason gets a message for the operator
  // naming the port and the cause.
  static BOOL CheckPort(CString* reason);

  // ---- service dialogs and the monitor
  // The one-string dialog (130): on OK its text goes out through SendCommand; on Cancel, or
  // when the port cannot be opened (the operator is told why), nothing is sent.
  void SendStringFromDialog();
  // The frame whose port monitor EchoToMonitor feeds (null: none).
  static void SetMonitorFrame(IDocMainFrame* frame);
  // Hands a text to the frame's port monitor.
  void EchoToMonitor(const CString& text);

 private:
  // What a job gathers before it writes.
  static constexpr size_t kJobWriteSize = 8192;

  static int OpenPort();
  static CString OpenFailure(int error);
  // Writes all bytes; the number written before an error (errno then holds it).
  static size_t WriteAll(int fd, const char* data, size_t length);
  // One whole command.
  void SendBytes(const char* data, size_t length);
  // Writes the job's gathered commands and counts those not written whole.
  void FlushJob();
  void CountLost(int count, int error);

  int m_nPortStream = -1;  // the console stream, -1 until mode 2 opens it
  int m_nJobPort = -1;     // the job's port, -1 outside a job
  std::string m_JobBuffer;           // gathered commands of the job
  std::vector<size_t> m_CommandEnds;  // where each gathered command ends in the buffer
  int m_nLost = 0;
  int m_nLostError = 0;  // errno of the last lost command
};
