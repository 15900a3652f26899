#ifndef SRC_WINDOW_BUSYWORK_H
#define SRC_WINDOW_BUSYWORK_H

// A busy cursor over the whole program for as long as the object lives, so that long work
// never makes a window look hung. Nested ones stack.
class TBusy_Cursor
{
public:
  TBusy_Cursor();
  ~TBusy_Cursor();
  TBusy_Cursor(const TBusy_Cursor &) = delete;
  TBusy_Cursor &operator=(const TBusy_Cursor &) = delete;
};

#endif
