#include "editortexts.h"

const char kTextMakeProjectFolderFailed[] = "创建工程目录<%s>失败!";
const char kTextDeviceInProjectPath[] = "工程路径<%s>中的<%s>是设备名，不能用作工程目录或工程文件名!";
const char kTextEnterProjectName[] = "请填写工程名!";
const char kTextSaveProjectFailed[] = "保存工程文件<%s>失败!";
const char kTitleNewProject[] = "新建工程";
const char kTitleChooseProjectFolder[] = "选择工程目录";
const char kTextPathOperationError[] = "Path operation error !";
const char kTextNoDirectory[] = "failed to get directory !";
const char kTitleOpenProject[] = "打开QelHmi工程文件";
const char kFilterProject[] = "QelHmi工程文件(*.qel)|*.qel||";
const char kProjectsFolder[] = "project";
const char kPictureFolder[] = "pic";

const char kTextNoSettingsLibrary[] = "Err:can't find dll<%s>";
const char kTextBadSettingsLibrary[] = "Err:<%s> 是错误的库";
const char kSettingsLibrary[] = "system\\Nurvex.dll";

const char kTipRoot[] = "工程根目录";
const char kNameConnection[] = "实时库设置";
const char kTipConnection[] = "鼠标双击进入实时库连接设置";
const char kNameLocalTags[] = "本地标签表";
const char kTipLocalTags[] = "鼠标双击打开本地标签表编辑本地标签";
const char kNamePictures[] = "画面";
const char kTipFolder[] = "鼠标右键单击可在这个目录添加子目录或画面!";
const char kTipPicture[] = "双击打开这个画面!";
const char kNameAbout[] = "关于QelMake";
const char kTipAbout[] = "鼠标双击显示关于QelMake!";
const char kTextNotProvided[] = "暂未提供此功能!";

const char kTitleNewPicture[] = "新建画面";
const char kLabelPictureName[] = "画面名:";
const char kTitleNewFolder[] = "新建目录";
const char kLabelFolderName[] = "目录名:";
const char kTextEnterName[] = "请填写名称!";
const char kTitleError[] = "错误";
const char kTextPictureExists[] = "画面文件已存在!";
const char kTextMakeFolderFailed[] = "创建目录失败!";
const char kTextBadName[] =
    "名称<%s>不能用作文件名!\n\n名称中不能有 \\ / : * ? \" < > | 和 \"..\"，也不能是 CON、PRN、AUX、NUL、COM1 或 LPT1 这样的设备名。";

const char kTextPictureModified[] = "<%s>已经修改，是否要存!";
const char kTextSavePictureFailed[] = "保存画面<%s>失败!";
const char kTextOpenPictureFailed[] = "打开画面<%s>失败!";
const char kTitleInfo[] = "提示";
const char kTextPluginNotOpen[] = "<Qel插件> 暂未开放!\n\nQel插件用于扩展功能，比如趋势、报表、图表等。";
const char kTextPreviewNotOpen[] = "<预览运行画面> 暂未开放!";
const char kTextPictureErrors[] = " - %d error(s)\n";
const char kTextPictureErrorsAfterOutput[] = "\n\n%s - %d error(s)\n";

const char kTitleLocalTagTable[] = " - 本地标签表";
const char kTitleAddLocalTag[] = "添加本地标签";
const char kTitleModifyLocalTag[] = "修改本地标签";
const char kTextEnterTagName[] = "请填写标签名!";
const char kTextTagExists[] = "标签 <%s> 已经存在!";
const char kTextChooseTag[] = "请选择一个标签!";
const char kTextSystemTagFixed[] = "不能修改系统标签!";
const char kTextDeleteTags[] = "黄色图标的是系统标签，删除不了的!\n\n绿色图标标签删除不可恢复！是否要删除?";

const char kCompilerPath[] = "sc\\Tarnic.exe";
const char kTextCompileProject[] = "编译整个工程...\n";
const char kTextOpenFileError[] = "    打开文件错误!\n";
const char kTextCompilerError[] = "    编译器错误!\n";
const char kTextCompileDone[] = "\n编译完成 - %d error(s)\n";

const char kTitleStandardBar[] = "工具条";
const char kTitleDrawBar[] = "绘图工具";
const char kTitleAlignBar[] = "排列";
const char kTitleWorkspace[] = "WorkSpace";
const char kTitleOutput[] = "OutPut";
const char kTextTabProject[] = "工程";
const char kTextTabProperties[] = "属性/动作";
const char kColumnAction[] = "动作";
const char kColumnDefinition[] = "定义";
