#include "vm_hostile.h"

#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "../../compiler/opcodes.h"
#include "drawtext.h"
#include "pichost.h"
#include "vmcodes.h"

using namespace tarnic;

namespace {
using Code = std::vector<CodeByteInstruction>;

constexpr uint32_t kMB = 1u << 20;

uint32_t G(uint32_t i) { return kMemoryGlobal | i; }
CodeByteInstruction PushGlobal(uint32_t i) { return I(OP_PUSHM, 0, 0, G(i)); }
CodeByteInstruction PushInt(uint32_t v) { return I(OP_PUSHK, 0, 0, v, 0, 0x04); }
CodeByteInstruction PushDouble(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, 8);
  return I(OP_PUSHK, 0, 0, static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), 0x08);
}
CodeByteInstruction CallSys(uint32_t id) { return I(OP_CALLSYS, 0, 0, id); }

// The body, then a jump back to instruction 0.
VmProgram Loop(Code body) {
  VmProgram p;
  p.code = std::move(body);
  p.code.push_back(I(OP_JMP, 0, 0, 0));
  return p;
}

// A loop that calls the function made of `callee` (placed after the loop).
VmProgram CallLoop(Code callee) {
  VmProgram p;
  p.code = {I(OP_CALL, 0, 0, 2), I(OP_JMP, 0, 0, 0)};
  p.code.insert(p.code.end(), callee.begin(), callee.end());
  p.code.push_back(I(OP_RET));
  return p;
}

// A function at instruction 0 that calls itself after `body`.
VmProgram Recursion(Code body) {
  VmProgram p;
  p.code = std::move(body);
  p.code.push_back(I(OP_CALL, 0, 0, 0));
  return p;
}

// The texts as globals 0, 1, ... (character arrays of their lengths); `call`
// over them in a loop.
VmProgram TextLoop(const std::vector<std::string>& texts, Code call) {
  VmProgram p = Loop(std::move(call));
  for (const std::string& text : texts) p.Global(0x90, static_cast<uint32_t>(text.size()), text);
  return p;
}

// sprintf into global 0 (1 MB) with the format in global 1 and `values`
// pushed, last first, as the compiler does.
VmProgram FormatLoop(const std::string& format, Code values, uint32_t function = 200) {
  Code call = values;
  call.push_back(PushGlobal(1));
  if (function != 204) call.push_back(PushGlobal(0));
  call.push_back(PushInt(static_cast<uint32_t>(values.size() + (function == 204 ? 2 : 3))));
  call.push_back(CallSys(function));
  VmProgram p = Loop(call);
  p.Global(0x90, kMB);
  p.Global(0x90, static_cast<uint32_t>(format.size()), format);
  return p;
}

Code Repeat(const CodeByteInstruction& in, int n) { return Code(static_cast<size_t>(n), in); }
std::string Text(char c, size_t n) { return std::string(n, c); }
std::string Times(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Six int pointers into global 0 (an int array), then the time.
Code BreakDownCall(uint32_t id) {
  Code c = Repeat(PushGlobal(0), 6);
  c.push_back(PushInt(1700000000));
  c.push_back(CallSys(id));
  return c;
}

}  // namespace

std::vector<HostileProgram> HostilePrograms() {
  return {
      {"plain loop (3 instructions)",
       [] {
         return Loop({I(OP_LDK, 1, 0, 1, 0, 4), I(OP_BIN_RK + 3, 1, 0, 1, 0, 4)});
       }},
      {"call and return", [] { return CallLoop({}); }},
      {"call making local cell 65,535", [] { return CallLoop({I(OP_LOCAL, 0, 0, 0, 65535, 0x04)}); }},
      {"call making a 16 MB local array", [] { return CallLoop({I(OP_LOCAL, 0, 0, 4 * kMB - 2, 0, 0x14)}); }},
      {"call making 1,000 one-byte arrays",
       [] {
         Code c;
         for (uint32_t i = 0; i < 1000; ++i) c.push_back(I(OP_LOCAL, 0, 0, 1, i, 0x10));
         return CallLoop(c);
       }},
      {"raw reads across 65,536 arrays",
       [] {
         // Each read looks its address up among all the machine's regions.
         Code c;
         for (uint32_t i = 0; i < 8192; ++i) {
           c.push_back(I(OP_LDM, 1, 0, G(i * 4099 % 65536)));
           c.push_back(I(OP_TOPTR, 1));
           c.push_back(I(OP_LDV, 2, 1));
         }
         VmProgram p = Loop(c);
         for (uint32_t i = 0; i < 65536; ++i) p.Global(0x94, 1);
         return p;
       }},
      // The cap ends these before the budget does.
      {"recursion, 65,536 cells a frame", [] { return Recursion({I(OP_LOCAL, 0, 0, 0, 65535, 0x04)}); },
       false, false, kVmGrowCellTable},
      {"recursion, 1 MB array a frame", [] { return Recursion({I(OP_LOCAL, 0, 0, kMB / 4 - 2, 0, 0x14)}); },
       false, false, kVmNoBufferMemory},
      {"strlen of 8 MB",
       [] {
         return TextLoop({Text('a', 8 * kMB), ""}, {PushGlobal(0), CallSys(154)});
       }},
      {"strcmp of two 8 MB texts",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('a', 8 * kMB)},
                         {PushGlobal(1), PushGlobal(0), CallSys(151)});
       }},
      {"stricmp of two 8 MB texts",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('A', 8 * kMB)},
                         {PushGlobal(1), PushGlobal(0), CallSys(153)});
       }},
      {"strncmp of two 8 MB texts",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('a', 8 * kMB)},
                         {PushInt(8 * kMB), PushGlobal(1), PushGlobal(0), CallSys(156)});
       }},
      {"strcpy of 8 MB",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('b', 8 * kMB)},
                         {PushGlobal(0), PushGlobal(1), CallSys(152)});
       }},
      {"strncpy of 8 MB",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('b', 8 * kMB)},
                         {PushInt(8 * kMB), PushGlobal(0), PushGlobal(1), CallSys(157)});
       }},
      {"strupr of 8 MB",
       [] {
         return TextLoop({Text('a', 8 * kMB), ""}, {PushGlobal(0), CallSys(160)});
       }},
      {"strstr, 4 MB of a, 4 KB pattern",
       [] {
         return TextLoop({Text('a', 4 * kMB), Text('a', 4096) + "b"},
                         {PushGlobal(1), PushGlobal(0), CallSys(158)});
       }},
      {"strstr, 4 MB of a, 2 MB pattern",
       [] {
         return TextLoop({Text('a', 4 * kMB), Text('a', 2 * kMB) + "b"},
                         {PushGlobal(1), PushGlobal(0), CallSys(158)});
       }},
      {"strtok, 8 MB text, 4 KB delimiters",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('b', 4096)}, {PushGlobal(1), PushGlobal(0), CallSys(159)});
       }},
      {"strtok, 8 MB text, 8 MB delimiters",
       [] {
         return TextLoop({Text('a', 8 * kMB), Text('b', 8 * kMB)},
                         {PushGlobal(1), PushGlobal(0), CallSys(159)});
       }},
      {"strcat of 4 MB",
       [] {
         // Global 2 is emptied by strcpy of "" (global 3) before each strcat.
         VmProgram p = TextLoop({Text('a', 4 * kMB), ""}, {PushGlobal(3), PushGlobal(2), CallSys(152),
                                                           PushGlobal(0), PushGlobal(2), CallSys(150)});
         p.Global(0x90, 4 * kMB);
         p.Global(0x90, 0, "");
         return p;
       }},
      {"atof of 8 MB of digits",
       [] {
         return TextLoop({Text('1', 8 * kMB), ""}, {PushGlobal(0), CallSys(117)});
       }},
      {"sprintf, 15 x %65536d", [] { return FormatLoop(Times("%65536d", 15), Repeat(PushInt(7), 15)); }},
      {"sprintf, 14 x %.65536f of 1e300",
       [] { return FormatLoop(Times("%.65536f", 14), Repeat(PushDouble(1e300), 14)); }},
      {"sprintf, 29 x %d", [] { return FormatLoop(Times("%d", 29), Repeat(PushInt(-123456789), 29)); }},
      {"sprintf, %s of 1000 KB",
       [] {
         VmProgram p = FormatLoop("%s", {PushGlobal(2)});
         p.Global(0x90, 1000 * 1024, Text('x', 1000 * 1024));
         return p;
       }},
      {"printf, 15 x %65536d (to NUL)",
       [] { return FormatLoop(Times("%65536d", 15), Repeat(PushInt(7), 15), 204); }, false, true},
      {"printf, short (to NUL)", [] { return FormatLoop("x", {}, 204); }, false, true},
      {"gcvt of 1e308, 64 digits",
       [] {
         VmProgram p = Loop({PushGlobal(0), PushInt(64), PushDouble(1e308), CallSys(203)});
         p.Global(0x90, 512);
         return p;
       }},
      {"itoa, radix 2",
       [] {
         VmProgram p = Loop({PushInt(2), PushGlobal(0), PushInt(0x80000000u), CallSys(201)});
         p.Global(0x90, 64);
         return p;
       }},
      {"pow",
       [] {
         return Loop({PushDouble(1.0000001), PushDouble(12345.678), CallSys(111)});
       }},
      {"LocalTime",
       [] {
         VmProgram p = Loop(BreakDownCall(253));
         p.Global(0x94, 8);
         return p;
       }},
      {"GmtTime",
       [] {
         VmProgram p = Loop(BreakDownCall(252));
         p.Global(0x94, 8);
         return p;
       }},
      {"MakeTime",
       [] {
         return Loop(
             {PushInt(0), PushInt(0), PushInt(12), PushInt(15), PushInt(6), PushInt(2020), CallSys(251)});
       }},
      {"time", [] { return Loop({CallSys(250)}); }},
      {"GetTickCount", [] { return Loop({CallSys(254)}); }},
      {"StartCounTime and EndCounTime",
       [] {
         return Loop({CallSys(255), CallSys(256)});
       }},
      {"GetViewFlag (host)",
       [] {
         return TextLoop({"label"}, {PushGlobal(0), CallSys(1050)});
       },
       true},
      {"SetViewText of 1 MB (host)",
       [] {
         return TextLoop({"label", Text('W', kMB)}, {PushGlobal(1), PushGlobal(0), CallSys(1052)});
       },
       true},
      {"GetViewFlag of a 1 MB name (host)",
       [] {
         return TextLoop({Text('n', kMB)}, {PushGlobal(0), CallSys(1050)});
       },
       true},
      {"dbr_GetDbVal (host)",
       [] {
         return TextLoop({"label", Text(0, 64)}, {PushGlobal(1), PushGlobal(0), PushInt(3), CallSys(1500)});
       },
       true},
      {"dbr_SetLoaclStr of 1 MB (host)",
       [] {
         return TextLoop({"label", Text('v', kMB)}, {PushGlobal(1), PushGlobal(0), CallSys(1505)});
       },
       true},
      {"OpenPic of a 1 MB name (host)",
       [] {
         return TextLoop({Text('p', kMB)}, {PushGlobal(0), CallSys(1100)});
       },
       true},
  };
}

HostScene::HostScene() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QelVmHostileWindow";
  RegisterClassA(&wc);
  window = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                         wc.hInstance, nullptr);
  picture.EnsureLayer();
  label = new CDrawText();
  label->m_strName = "label";
  label->SetText("text");
  picture.GetLayer(0)->m_objects.AddTail(label);
}

HostScene::~HostScene() { DestroyWindow(window); }

DrawViewContext HostScene::Context() {
  DrawViewContext c;
  c.pPicture = &picture;
  c.pObject = label;
  c.hView = window;
  c.pUpdateRect = &update;
  return c;
}

std::unique_ptr<CScriptVM> LoadHostile(const HostileProgram& program, HostScene& scene) {
  std::vector<uint8_t> bytes = program.build().Bytes();
  std::unique_ptr<CScriptVM> vm(program.host ? new CPicScriptHost(scene.Context()) : new CScriptVM());
  if (vm->Load(bytes.data(), bytes.size()) != 0) vm.reset();
  return vm;
}

namespace {

// Standard output sent to NUL while it lives.
class QuietOutput {
 public:
  QuietOutput() {
    std::fflush(stdout);
    saved_ = _dup(1);
    if (FILE* nul = std::fopen("NUL", "w")) {
      _dup2(_fileno(nul), 1);
      std::fclose(nul);
    }
  }
  ~QuietOutput() {
    std::fflush(stdout);
    _dup2(saved_, 1);
    _close(saved_);
  }

 private:
  int saved_;
};

}  // namespace

int RunQuietly(CScriptVM& vm) {
  QuietOutput quiet;
  return vm.Run();
}

int RunHostile(const HostileProgram& program, CScriptVM& vm) {
  return program.quiet ? RunQuietly(vm) : vm.Run();
}
