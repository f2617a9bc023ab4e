// Script links for the runtime window's tests and benchmark: a movement
// link whose script, compiled in-process, places its object by a tag.
#pragma once

class CDrawObj;

namespace runtest {

// A movement link (script, own period of 100 ms) whose script moves the
// object named `name` so that its centre lies at (x0 + TV(tag), y0).
// False when the script does not compile.
bool AddMoveLink(CDrawObj& obj, const char* name, const char* tag, double x0, double y0);

// Whether script links get a script machine when they are prepared.
bool ScriptsRun();

}  // namespace runtest
