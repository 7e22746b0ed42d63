// A stand-in for the marking machine: it reads a command stream (';'-terminated commands,
// letters in either case: SP, VS, PU, PD, CE, pu), keeps the pen position and the speeds it was
// given, and draws every mark into a 1-bit image at one pixel per machine unit, so that a job
// can be checked end to end against the design.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CMachineSimulator {
 public:
  struct Segment {
    int x0, y0, x1, y1;
  };
  struct Circle {
    int cx, cy, rx, ry;
  };

  // The image covers machine x in [left, left + width) and y in [bottom, bottom + height); row r
  // of the image is machine y = bottom + r. circleModel 1: a circle command starts at the top
  // left of the circle's box (centre = pen + (rx, -ry)); any other value: at the centre.
  CMachineSimulator(int left, int bottom, int width, int height, int circleModel = 0);

  // Runs a stream; false at the first command it cannot read (Error() says which).
  bool Run(const std::string& stream);
  const std::string& Error() const { return m_error; }

  // ---- what the machine was told
  const std::vector<int>& Speeds() const { return m_speeds; }
  int Pen() const { return m_pen; }
  // Whether the last command left the pen down (a mark); a move, "pu;" or a circle lifts it.
  bool IsPenDown() const { return m_bPenDown; }
  int PenX() const { return m_x; }
  int PenY() const { return m_y; }
  int CommandCount() const { return m_commands; }
  const std::vector<Segment>& Segments() const { return m_segments; }
  const std::vector<Circle>& Circles() const { return m_circles; }
  // The commands in order, upper case, without arguments ("SP", "VS", "PU", "PD", "CE", "pu").
  const std::vector<std::string>& Names() const { return m_names; }

  // ---- the marks
  int Left() const { return m_left; }
  int Bottom() const { return m_bottom; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Whether machine point (x, y) was marked; false outside the image.
  bool IsMarked(int x, int y) const;
  long long MarkCount() const;
  // Marks that fell outside the image.
  long long OutsideCount() const { return m_outside; }
  // The box of the marked pixels (machine units, inclusive); false when nothing is marked.
  bool MarkBox(int& x0, int& y0, int& x1, int& y1) const;
  const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }

 private:
  bool Execute(const std::string& name, const std::vector<long long>& args, bool hadArgs);
  void Mark(int x, int y);
  void Line(int x0, int y0, int x1, int y1);
  void Ellipse(int cx, int cy, int rx, int ry);

  int m_left, m_bottom, m_width, m_height, m_circleModel;
  std::vector<std::uint8_t> m_pixels;
  long long m_outside = 0;
  std::vector<int> m_speeds;
  int m_pen = 0;
  bool m_bPenDown = false;
  int m_x = 0;
  int m_y = 0;
  int m_commands = 0;
  std::vector<Segment> m_segments;
  std::vector<Circle> m_circles;
  std::vector<std::string> m_names;
  std::string m_error;
};

// The machine's pace: a reader at the far end of a FIFO that takes the stream as a machine
// does, steadily at a rate, in bursts with pauses, or leaving before or after the last write,
// so that the port writer's bounds meet a machine and not only a reader that never reads.
// It opens the FIFO's reading end at once (before the job opens the port), reads on its own
// thread and keeps every byte it took.
class CPacedReader {
 public:
  struct Pace {
    const char* name = "";
    int bytesPerSecond = 0;        // 0: whatever the pipe holds, at once
    int burstBytes = 0;            // a pause after each burst of this many bytes (0: none)
    int pauseMs = 0;               // the pause after a burst
    int firstPauseAfter = 0;       // one long pause once this many bytes are taken (0: none)
    int firstPauseMs = 0;          // its length
    long long leaveAfter = -1;     // leaves once it took this many bytes (-1: reads to the end)
    int leaveDelayMs = 0;          // and waits this long before it leaves
    int pipeSize = 0;              // the pipe's size in bytes (0: as the system makes it)
  };
  static Pace Steady(int bytesPerSecond, int pipeSize = 0);
  // Bursts of burstBytes at bytesPerSecond (0: at once), each followed by pauseMs.
  static Pace Bursts(int burstBytes, int pauseMs, int bytesPerSecond = 0, int pipeSize = 0);
  // Reads at once, but pauses pauseMs after the first `after` bytes.
  static Pace PauseOnce(int after, int pauseMs, int pipeSize = 0);
  // Takes `bytes` (at once), waits delayMs and leaves.
  static Pace LeaveAfter(long long bytes, int delayMs, int pipeSize = 0);

  CPacedReader(const std::string& fifo, const Pace& pace);
  // Leaves at once when still reading.
  ~CPacedReader();
  CPacedReader(const CPacedReader&) = delete;
  CPacedReader& operator=(const CPacedReader&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  // The job is over (its port closed, or never opened): reads what is left until the end of
  // the stream or until the pace leaves, then ends the thread; the bytes taken. guardMs only
  // guards a hanging test.
  const std::string& Finish(int guardMs = 60000);
  // Waits until n bytes were taken or the reader ended; whether n were taken.
  bool WaitForBytes(size_t n, int guardMs = 60000);
  size_t Taken() const;
  // Whether the reader closed its end before the end of the stream.
  bool HasLeft() const { return m_bLeft.load(); }

 private:
  void Run();
  // Sleeps ms unless the reader is told to end; false when told.
  bool Pause(int ms);

  Pace m_pace;
  int m_fd = -1;
  std::thread m_thread;
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::string m_taken;
  bool m_bJobOver = false;
  bool m_bQuit = false;
  bool m_bEnded = false;
  std::atomic<bool> m_bLeft{false};
};
