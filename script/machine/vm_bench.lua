-- The loops of the script machine's benchmark (vm_bench.cpp) in Lua 5.4, the
-- reference that its figures are compared with. tools/run-bench.sh runs this
-- just before the benchmark and hands the lines over to it; each line is a
-- loop's name and its fastest, median and slowest time in seconds (processor
-- time of this process) over the runs.
local runs = 5
local steps = 10000000

local function int_and_double()
  local n, d = 0, 0.0
  for i = 0, steps - 1 do
    n = n + (i & 127)
    d = d + 0.5
  end
  return n, d
end

local function add(a, b) return a + b end

local function call_per_step()
  local n = 0
  for i = 0, steps - 1 do
    n = add(n, i & 127)
  end
  return n
end

local a = {}
for i = 0, 127 do a[i] = i end

local function array_indexing()
  local n = 0
  for i = 0, steps - 1 do
    n = n + a[i & 127]
  end
  return n
end

local function measure(name, loop)
  local times = {}
  for r = 1, runs do
    local start = os.clock()
    loop()
    times[r] = os.clock() - start
  end
  table.sort(times)
  print(string.format("%s %.4f %.4f %.4f", name, times[1], times[(runs + 1) // 2], times[runs]))
end

measure("int_and_double", int_and_double)
measure("call_per_step", call_per_step)
measure("array_indexing", array_indexing)
