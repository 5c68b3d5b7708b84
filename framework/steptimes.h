// Start-up step times, for finding where a program's start goes. Off
// unless the environment variable SIGNS_STEP_TIMES names a file when the
// first step is marked (it is read once); when off, each call is one test
// of a flag. When on, StepMark records the time since the process was
// created and the process's working set, TStepSpan adds up the time spent in a named step and how often
// it ran, and at the program's first idle (StepTimesIdle) one block with
// every mark and span is appended to the file. Not thread-safe: GUI
// thread only.
#pragma once

namespace fw {

bool StepTimesOn();
void StepMarkOn(const char* name);
void StepTimesIdle();

inline void StepMark(const char* name)
{
    if (StepTimesOn()) StepMarkOn(name);
}

class TStepSpan {
public:
    explicit TStepSpan(const char* name) : name_(StepTimesOn() ? name : nullptr)
    {
        if (name_) start_ = Ticks();
    }
    ~TStepSpan()
    {
        if (name_) Add(name_, Ticks() - start_);
    }
    TStepSpan(const TStepSpan&) = delete;
    TStepSpan& operator=(const TStepSpan&) = delete;

    static long long Ticks();

private:
    static void Add(const char* name, long long ticks);
    const char* name_;
    long long start_ = 0;
};

}  // namespace fw
