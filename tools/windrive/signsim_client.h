// What a Windows test needs of a sign stand-in started by
// scripts/with-signsim: the frames it logged and a way to change how it
// answers. The stand-in's folder comes from SIGNS_SIM_DIR (a Unix path,
// reached through Wine's Z: drive).
#pragma once

#include <string>
#include <vector>

namespace windrive {

// One logged frame: the raw JSON line, with its fields read by name.
struct TSimFrame {
    std::string Line;
    // The value of key: a string's text, or a number's or Boolean's digits
    // or word; empty when the key is missing.
    std::string Field(const std::string& key) const;
};

class TSimPort {
public:
    explicit TSimPort(int comNumber);
    // Fault options for the frames that come next, as signsim's words
    // (e.g. "--silent"); empty for a sign without faults.
    void Control(const std::string& options) const;
    // Every frame logged so far.
    std::vector<TSimFrame> Frames() const;
    // The frames logged after the first `from`.
    std::vector<TSimFrame> FramesSince(size_t from) const;

private:
    std::string dir_;
    int number_;
};

// True when the tests run beside sign stand-ins (SIGNS_SIM_DIR is set).
bool SimAvailable();

// A marker file in the stand-in's folder, through which a scripted session
// and the script around it (scripts/run) tell each other where they are.
std::string SimMarker(const std::string& name);
bool SimMarkerExists(const std::string& name);
void PutSimMarker(const std::string& name);

// Prints one step of a scripted session and the message box it gave
// (GBK), as UTF-8 for the terminal Wine writes to.
void PrintStep(const char* program, const char* what, const std::string& message);

}  // namespace windrive
