// QelMake's texts: every message, caption and label of the program, each
// spelt once. A "%s" stands for a path or a name.
#pragma once

// ---- projects -------------------------------------------------------------------
extern const char kTextMakeProjectFolderFailed[];  // "创建工程目录<%s>失败!" (the location)
extern const char
    kTextDeviceInProjectPath[];             // a project path through a device name (%s the path, %s the name)
extern const char kTextEnterProjectName[];  // "请填写工程名!"
extern const char kTextSaveProjectFailed[];     // "保存工程文件<%s>失败!"
extern const char kTitleNewProject[];           // "新建工程"
extern const char kTitleChooseProjectFolder[];  // "选择工程目录"
extern const char kTextPathOperationError[];    // "Path operation error !"
extern const char kTextNoDirectory[];           // "failed to get directory !"
extern const char kTitleOpenProject[];          // "打开QelHmi工程文件"
extern const char kFilterProject[];             // "QelHmi工程文件(*.qel)|*.qel||"
extern const char kProjectsFolder[];            // "project" below the program folder
extern const char kPictureFolder[];             // "pic"

// ---- the connection settings library -------------------------------------------
extern const char kTextNoSettingsLibrary[];   // "Err:can't find dll<%s>"
extern const char kTextBadSettingsLibrary[];  // "Err:<%s> 是错误的库"
extern const char kSettingsLibrary[];         // "system\\Nurvex.dll" below the program folder

// ---- the project tree -----------------------------------------------------------
extern const char kTipRoot[];          // "工程根目录"
extern const char kNameConnection[];   // "实时库设置"
extern const char kTipConnection[];    // "鼠标双击进入实时库连接设置"
extern const char kNameLocalTags[];    // "本地标签表"
extern const char kTipLocalTags[];     // "鼠标双击打开本地标签表编辑本地标签"
extern const char kNamePictures[];     // "画面"
extern const char kTipFolder[];        // "鼠标右键单击可在这个目录添加子目录或画面!"
extern const char kTipPicture[];       // "双击打开这个画面!"
extern const char kNameAbout[];        // "关于QelMake"
extern const char kTipAbout[];         // "鼠标双击显示关于QelMake!"
extern const char kTextNotProvided[];  // "暂未提供此功能!"

// ---- new pictures and folders ---------------------------------------------------
extern const char kTitleNewPicture[];       // "新建画面"
extern const char kLabelPictureName[];      // "画面名:"
extern const char kTitleNewFolder[];        // "新建目录"
extern const char kLabelFolderName[];       // "目录名:"
extern const char kTextEnterName[];         // "请填写名称!"
extern const char kTitleError[];            // "错误"
extern const char kTextPictureExists[];     // "画面文件已存在!"
extern const char kTextMakeFolderFailed[];  // "创建目录失败!"
extern const char kTextBadName[];           // a refused name (%s the name)

// ---- pictures -------------------------------------------------------------------
extern const char kTextPictureModified[];    // "<%s>已经修改，是否要存!"
extern const char kTextSavePictureFailed[];  // "保存画面<%s>失败!"
extern const char kTextOpenPictureFailed[];  // "打开画面<%s>失败!"
extern const char kTitleInfo[];              // "提示"
extern const char
    kTextPluginNotOpen[];  // "<Qel插件> 暂未开放!\n\nQel插件用于扩展功能，比如趋势、报表、图表等。"
extern const char kTextPreviewNotOpen[];            // "<预览运行画面> 暂未开放!"
extern const char kTextPictureErrors[];             // " - %d error(s)\n"
extern const char kTextPictureErrorsAfterOutput[];  // "\n\n%s - %d error(s)\n" (the picture)

// ---- local tags -----------------------------------------------------------------
extern const char kTitleLocalTagTable[];   // " - 本地标签表" after the project's title
extern const char kTitleAddLocalTag[];     // "添加本地标签"
extern const char kTitleModifyLocalTag[];  // "修改本地标签"
extern const char kTextEnterTagName[];     // "请填写标签名!"
extern const char kTextTagExists[];        // "标签 <%s> 已经存在!"
extern const char kTextChooseTag[];        // "请选择一个标签!"
extern const char kTextSystemTagFixed[];   // "不能修改系统标签!"
extern const char kTextDeleteTags[];       // the question before deleting tags

// ---- compiling ------------------------------------------------------------------
extern const char kCompilerPath[];        // "sc\\Tarnic.exe" below the program folder
extern const char kTextCompileProject[];  // "编译整个工程...\n"
extern const char kTextOpenFileError[];   // "    打开文件错误!\n"
extern const char kTextCompilerError[];   // "    编译器错误!\n"
extern const char kTextCompileDone[];     // "\n编译完成 - %d error(s)\n"

// ---- bars -----------------------------------------------------------------------
extern const char kTitleStandardBar[];   // "工具条"
extern const char kTitleDrawBar[];       // "绘图工具"
extern const char kTitleAlignBar[];      // "排列"
extern const char kTitleWorkspace[];     // "WorkSpace"
extern const char kTitleOutput[];        // "OutPut"
extern const char kTextTabProject[];     // "工程"
extern const char kTextTabProperties[];  // "属性/动作"
extern const char kColumnAction[];       // "动作"
extern const char kColumnDefinition[];   // "定义"
