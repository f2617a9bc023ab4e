#include "viewertexts.h"

const char kTextNoSettings[] = "没有找到<QelView.ini>配置文件!";
const char kTextNoStartPicture[] = "没有指定开始画面!";
const char kTextExitQuestion[] = "是否要退出QelView?";
const char kTitleExitQuestion[] = "QelView提示";
const char kMenuTitle[] = "主菜单";
const char kMenuExit[] = "退出\tAlt+F4";
