#include "functionlists.h"

const char* const kExpressionFunctions[kExpressionFunctionCount] = {
    "int abs(int)",         "double acos(double)", "double asin(double)",  "double atan(double)",
    "double cos(double)",   "double exp(double)",  "double fabs(double)",  "double fmod(double,double)",
    "long   labs(long)",    "double log(double)",  "double log10(double)", "double pow(double,double)",
    "double sin(double)",   "double tan(double)",  "double sqrt(double)",  "double ceil(double)",
    "double floor(double)", "double atof(char *)", "int    atoi(char *)",
};

namespace {

const char* const kNumeric[] = {
    "int abs(int n);",        "double acos(double x);",          "double asin(double x);",
    "double atan(double x);", "double cos(double x);",           "double exp(double x);",
    "double fabs(double x);", "double fmod(double x,double y);", "long labs(long  x);",
    "double log(double x);",  "double log10(double x);",         "double pow(double x,double y);",
    "double sin(double x);",  "double tan(double x);",           "double sqrt(double x);",
    "double ceil(double x);", "double floor(double x);",         "double atof(char* s);",
    "long atol(char* s);",
};
const char* const kStrings[] = {
    "char* strcat(char*, char*);",
    "int strcmp(char* s1, char* s2);",
    "char* strcpy(char* sd, char* ss);",
    "int stricmp(char* s1, char* s2);",
    "int strlen(char* s);",
    "char* strlwr(char* s);",
    "int strncmp(char* s1, char* s2, int n);",
    "char* strncpy(char* sd, char* ss, int n);",
    "char* strstr(char* s, char* scharset);",
    "char* strtok(char* sTokenst, char* sDelimit );",
    "char* strupr(char* s);",
};
const char* const kFormatting[] = {
    "int sprintf(char *buf,char *fmt,...);",      "int snprintf(char *buf,int n,char *fmt,...);",
    "char* itoa(int v, char* s, int radix );",    "char* ltoa(long v, char* s, int radix );",
    "char* gcvt(double v, int digits, char* s);",
};
const char* const kTime[] = {
    "long time()",
    "long MakeTime(int year, int mon,int day, int hour, int min, int sec)",
    "bool GmtTime(long lt, int* year, int* mon, int* day, int* hour, int* min, int* sec);",
    "bool LocalTime(long, int* year, int* mon, int* day, int* hout, int* min, int* sec);",
    "DWORD GetTickCount();",
    "void StartCounTime();",
    "double EndCounTime();",
};
const char* const kDataAccess[] = {
    "bool dbr_GetDbVal(char* stagname, anytype* pdata);//取实时库基本类型标签值",
    "int dbr_GetDbStr(char* stagname,char* pstr,int nbufsize);//取实时库符串标签值,返回字节数",
    "int dbr_GetDbBlob(char* stagname,char* pbuf,int nbufsize);//取实时库BLOB标签值,返回字节数",
    "bool dbr_GetLoaclVal(char* stagname, anytype* pdata);//取本地基本类型标签值",
    "int dbr_GetLoaclStr(char* stagname,char* pstr,int nbufsize);//取本地字符串标签值,返回字节数",
    "int dbr_GetLoaclBlob(char* stagname,char* pbuf,int nbufsize);//取本地BLOB标签值,返回字节数",
    "bool dbr_SetLoaclVal(char* stagname, anytype data);//设置本地基本类型标签值",
    "bool dbr_SetLoaclStr(char* stagname, char* str);//设置本地字符串标签值",
    "bool dbr_SetLoaclBlob(char* stagname, char* pdata,int nsize);//设置本地BLOB标签值",
};
const char* const kGraphics[] = {
    "bool GetViewFlag(char* sobjname);//获取图形显示标志",
    "bool SetViewFlag(char* objName,bool bview);//设置图形显示标志",
    "void SetViewText(char* objName,char* stxt);//设置图形显示文本",
    "bool GetCenterPoint(char* sobj,double* px,double* py);//获取图形中心点坐标",
    "bool MoveTo(char* sobj,double x,double y);//移动图形,参数为中心点",
};
const char* const kPictures[] = {
    "void OpenPic(char* spicname);//打开画面,参数为相对目录",
};
const char* const kControls[] = {
    "bool bt_GetCheck(char* objName);//获取按钮Check状态",
    "void bt_SetCheck(char* onjName,bool bcheck);//设置按钮Check状态",
    "int ed_GetText(char* ObjName,char* sbuf,int nbufsize);//取编辑控件文本，返回取到的字节数",
    "void ed_SetText(char* objName,char* stxt);//设置编辑控件文本",
    "void EnableWindow(char* objName,bool benable);//控件使能",
};
const char* const kOcx[] = {
    "bool ocx_GetVal(char* sobjname,char* sname,anytype* pRet);",
    "bool ocx_SetVal(char* sobjname,char* sname,anytype* pRet,anytype Val);",
    "bool ocx_Invoke(char* sobjname,char* sname,anytype* pRet, ...);",
};
const char* const kOther[] = {
    "long RGB(int r, int g, int b);//颜色合成",
};

}  // namespace

#define QEL_CATEGORY(name, items) \
  { name, items, int(sizeof items / sizeof *items) }
const FunctionCategory kScriptFunctionCatalog[kScriptCategoryCount] = {
    QEL_CATEGORY("数值运算", kNumeric),    QEL_CATEGORY("字符处理", kStrings),
    QEL_CATEGORY("格式输出", kFormatting), QEL_CATEGORY("时间函数", kTime),
    QEL_CATEGORY("数据访问", kDataAccess), QEL_CATEGORY("图形", kGraphics),
    QEL_CATEGORY("画面", kPictures),       QEL_CATEGORY("标准控件", kControls),
    {"QEL插件接口", nullptr, 0},           QEL_CATEGORY("OCX控件接口", kOcx),
    QEL_CATEGORY("其它", kOther),
};
#undef QEL_CATEGORY
