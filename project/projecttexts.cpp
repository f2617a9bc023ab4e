#include "projecttexts.h"

const char kTextProjectReadError[] = "读入工程文件<%s>错误!";
