// A stand-in for the marking machine: it reads a command stream (';'-terminated commands,
// letters in either case: SP, VS, PU, PD, CE, pu), keeps the pen position and the speeds it was
// given, and draws every mark into a 1-bit image at one pixel per machine unit, so that a job
// can be checked end to end against the design.
#pragma once

#include <cstdint>
#include <string>
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
