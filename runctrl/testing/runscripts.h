// Script links for the runtime window's tests and benchmark: a movement
// link whose script, compiled in-process, places its object by a tag.
#pragma once

#include <string>

class CDrawObj;

namespace runtest {

// A movement link (script, own period of 100 ms) whose script moves the
// object named `name` so that its centre lies at (x0 + TV(tag), y0).
// False when the script does not compile.
bool AddMoveLink(CDrawObj& obj, const char* name, const char* tag, double x0, double y0);

// A custom script link (kind 0, own period of 100 ms) running the source
// compiled in-process. False when the script does not compile.
bool AddScriptLink(CDrawObj& obj, const std::string& source);

// Whether script links get a script machine when they are prepared.
bool ScriptsRun();

}  // namespace runtest
