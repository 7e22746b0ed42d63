// The port writer: every command for the marking machine passes through here. The port "LPT1"
// is /dev/lp0, or the device or file that DRAVENTIS_LPT1 names ("LPT2" is /dev/lp1). A single
// command opens the port, writes and closes it again. A job opens the port once (OpenJob) and
// keeps it until CloseJob, so that a reader at the far end of a FIFO sees one stream and no end
// of file between two commands. A command that cannot be written whole is dropped and counted.
// A regular file is appended to and a FIFO is opened without blocking; SIGPIPE is ignored once
// the port is first used. Every write waits in short slices: a machine that takes no byte for
// the stall limit fails the command or the job instead of holding the calling thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
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

  // ---- the bounded wait
  // How long a port may take no byte before the command or the job fails.
  static constexpr int kStallLimitMs = 10000;
  // The stall limit in force (tests set it short; 0 or less restores kStallLimitMs).
  static void SetStallLimit(int ms);
  static int StallLimit();
  // One slice of a wait: about a screen frame, so that Cancel is answered within one.
  static constexpr int kWaitSliceMs = 16;
  // Called between the slices of a wait while the port takes nothing; true gives the wait up
  // (Cancel, the worker's stop flag): the job's commands not yet written are dropped, not
  // counted as lost. Without a hook a wait on the user-interface thread keeps painting.
  using WaitHook = std::function<bool()>;
  void SetWaitHook(WaitHook hook) { m_WaitHook = std::move(hook); }
  // Whether the machine took no byte for the stall limit.
  bool IsStalled() const { return m_bStalled; }
  // Whether the job's port failed (an error or a stall): the job's later commands are lost.
  bool IsFailed() const { return m_bFailed; }
  // Whether a wait of the job was given up (or the pen lifted): the job did not reach its end.
  bool IsGivenUp() const { return m_bGivenUp; }
  // The end of a job that ends early: one "pu;" so that the machine does not go on marking,
  // whenever the port still takes bytes within the stall limit; what a given-up write cut in
  // two is completed first. With cancelAnswers the wait hook (a new Cancel) may give it up.
  // Once per job; a pen-up that does not go out is counted as lost.
  void LiftPen(bool cancelAnswers = false);
  // Whether a job that ended early (given up or failed) still owes its pen-up.
  bool NeedsPenUp() const;
  // Whether the job's pen-up did not reach the machine: the pen may be down.
  bool IsPenLeftDown() const { return m_bPenLeftDown; }
  // Tells the operator about lost commands once (single commands and console lines).
  void ReportLost();

  // ---- job way
  // Opens "LPT1" for a whole job; FALSE when it cannot be opened (reason gets the message for
  // the operator). The job's commands are gathered into writes of a few kilobytes.
  BOOL OpenJob(CString* reason = nullptr);
  // Writes what is gathered and waits (bounded) until a FIFO's reader has taken it; the port
  // stays open, so that a job given up or failed in it can still lift the pen.
  void CompleteJob();
  // Completes the job and closes the port; the number of commands the job lost.
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

  // ---- head moves outside a job (origin wizards, work-area pages)
  // "PU%d,%d;" through a freshly opened port; true when it reached the port whole. When it did
  // not (the port gone, full, a folder, or taking nothing), the operator is told once, naming
  // the move and the reason.
  static bool MoveHead(double x, double y);

  // ---- service dialogs and the monitor
  // The one-string dialog (130): on OK its text goes out through SendCommand; on Cancel, or
  // when the port cannot be opened (the operator is told why), nothing is sent. A text the
  // port does not take is told too.
  void SendStringFromDialog();
  // The frame whose port monitor EchoToMonitor feeds (null: none).
  static void SetMonitorFrame(IDocMainFrame* frame);
  // Hands a text to the frame's port monitor.
  void EchoToMonitor(const CString& text);

 private:
  // What a job gathers before it writes.
  static constexpr size_t kJobWriteSize = 8192;

  using Clock = std::chrono::steady_clock;

  static int OpenPort();
  // Whether a FIFO's unread count fell since it was last seen (unread: that count, -1 unknown).
  static bool MachineTook(int fd, int& unread);
  static CString OpenFailure(int error);
  // The operator's reason for errno, Japanese for the common ones.
  static std::string Reason(int error);
  // Writes all bytes, waiting in slices while the port takes none, for at most limitMs without
  // progress; the number written before an error (errno then holds it: ETIMEDOUT for a stall,
  // ECANCELED when the hook gave the wait up).
  size_t WriteAll(int fd, const char* data, size_t length, int limitMs, bool useHook);
  // Waits for the port to take bytes again; false when the wait ends (errno as above).
  bool WaitSlice(int fd, Clock::time_point since, int limitMs, bool useHook, short events);
  // One whole command.
  void SendBytes(const char* data, size_t length);
  // One command outside a job through a freshly opened port.
  void SendSingle(const char* data, size_t length);
  // Writes the job's gathered commands and counts those not written whole.
  void FlushJob();
  // A job's write ended short: the port is failed (or the wait given up) from here on.
  void JobWriteFailed(size_t written, int error);
  // Waits until a FIFO's reader has taken what was written; counts what it left unread.
  void DrainJob();
  // Commands whose end a FIFO's reader has not taken when `pending` bytes are still unread.
  int UnreadCommands(int64_t pending) const;
  void CountLost(int count, int error);
  // A single command or a console line did not reach the port: a stall is told at once, and
  // the object's later commands are dropped without waiting again.
  void SingleFailed(int error);

  WaitHook m_WaitHook;
  int m_nPortStream = -1;  // the console stream, -1 until mode 2 opens it
  int m_nJobPort = -1;     // the job's port, -1 outside a job
  std::string m_JobBuffer;           // gathered commands of the job
  std::vector<size_t> m_CommandEnds;  // where each gathered command ends in the buffer
  int m_nLost = 0;
  int m_nLostError = 0;  // errno of the last lost command
  bool m_bStalled = false;
  bool m_bFailed = false;     // the job's port, or this object's single commands, failed
  bool m_bGivenUp = false;    // the hook gave a job's wait up: its later commands are dropped
  bool m_bTold = false;       // the operator was told about the lost commands
  bool m_bFifo = false;       // the job's port is a FIFO
  bool m_bLifted = false;     // the job's pen-up was tried
  bool m_bPenLeftDown = false;  // it did not reach the machine
  std::string m_CutTail;      // the rest of a command that a failed or given-up write cut
  int64_t m_nWritten = 0;     // bytes of the job written into the port
  std::deque<int64_t> m_RecentEnds;  // FIFO: stream offsets where recently written commands end
  int64_t m_nPipeSize = 65536;
};
