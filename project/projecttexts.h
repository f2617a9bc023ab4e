// The project model's text shown by both programs when a project file cannot
// be read (missing, unreadable, another magic or version, damaged).
#pragma once

extern const char kTextProjectReadError[];  // "读入工程文件<%s>错误!" (%s the project file's path)
