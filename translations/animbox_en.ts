<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>animbox::AnimationEntryCommands</name>
    <message>
        <source>重命名 %1 为 %2</source>
        <translation>Rename %1 to %2</translation>
    </message>
    <message>
        <source>删除动画 %1</source>
        <translation>Delete animation %1</translation>
    </message>
</context>
<context>
    <name>animbox::AttackPanel</name>
    <message>
        <source>击倒</source>
        <translation>Knockdown</translation>
    </message>
    <message>
        <source>防御不能</source>
        <translation>No block</translation>
    </message>
    <message>
        <source>没有火花</source>
        <translation>No spark</translation>
    </message>
    <message>
        <source>攻击力</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>攻击延迟</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>空攻击框</source>
        <translation>No attack box</translation>
    </message>
    <message>
        <source>清除攻框</source>
        <translation>Clear attack box</translation>
    </message>
    <message>
        <source>空受击框</source>
        <translation>No body box</translation>
    </message>
    <message>
        <source>清除受框</source>
        <translation>Clear body box</translation>
    </message>
    <message>
        <source>本帧与其后攻击框相同的帧都明确不带攻击框和扩展攻击框</source>
        <translation>This frame, and the following frames that have the same attack box, explicitly have no attack box and no extended attack box</translation>
    </message>
    <message>
        <source>本帧的攻击框和扩展攻击框沿用上一帧，第一帧则不写自己的攻击框</source>
        <translation>This frame takes its attack box and extended attack box from the frame before; the first frame states none of its own</translation>
    </message>
    <message>
        <source>本帧与其后受击框相同的帧都明确不带受击框和扩展受击框</source>
        <translation>This frame, and the following frames that have the same body box, explicitly have no body box and no extended body box</translation>
    </message>
    <message>
        <source>本帧的受击框和扩展受击框沿用上一帧，第一帧则不写自己的受击框</source>
        <translation>This frame takes its body box and extended body box from the frame before; the first frame states none of its own</translation>
    </message>
</context>
<context>
    <name>animbox::BrowserPanel</name>
    <message>
        <source>加入帧</source>
        <translation>Add frame</translation>
    </message>
    <message>
        <source>加入全部帧</source>
        <translation>Add all frames</translation>
    </message>
</context>
<context>
    <name>animbox::CanvasGestures</name>
    <message>
        <source>X边距:</source>
        <translation>X offset: </translation>
    </message>
    <message>
        <source><byte value="xd"/>
Y边距</source>
        <translation><byte value="xd"/>
Y offset: </translation>
    </message>
    <message>
        <source>拖动攻击框</source>
        <translation>Draw attack box</translation>
    </message>
    <message>
        <source>拖动扩展攻击框</source>
        <translation>Draw extended attack box</translation>
    </message>
    <message>
        <source>拖动受击框</source>
        <translation>Draw body box</translation>
    </message>
    <message>
        <source>拖动扩展受击框</source>
        <translation>Draw extended body box</translation>
    </message>
    <message>
        <source>拖动锚点</source>
        <translation>Drag anchor</translation>
    </message>
    <message>
        <source>移动锚点</source>
        <translation>Move anchor</translation>
    </message>
</context>
<context>
    <name>animbox::CharacterCheckDock</name>
    <message>
        <source>检查角色</source>
        <translation>Check character</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>动画</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>正在检查 %1…</source>
        <translation>Checking %1…</translation>
    </message>
    <message>
        <source>%1: 检查已取消, 已检查 %2 / %3 个动画, %4 个问题</source>
        <translation>%1: check cancelled after %2 of %3 animations, %4 problems</translation>
    </message>
    <message>
        <source>%1: %2 个动画, 没有发现问题</source>
        <translation>%1: %2 animations, no problems found</translation>
    </message>
    <message>
        <source>%1: %2 个动画, %3 个问题</source>
        <translation>%1: %2 animations, %3 problems</translation>
    </message>
</context>
<context>
    <name>animbox::CharacterPanel</name>
    <message>
        <source>角色动画</source>
        <translation>Animations</translation>
    </message>
    <message>
        <source>筛选动画</source>
        <translation>Filter animations</translation>
    </message>
    <message>
        <source>动画</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>新建…</source>
        <translation>New…</translation>
    </message>
    <message>
        <source>重命名…</source>
        <translation>Rename…</translation>
    </message>
    <message>
        <source>复制…</source>
        <translation>Duplicate…</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>animbox::CharacterSession</name>
    <message>
        <source>删除的 %1</source>
        <translation>%1 (deleted)</translation>
    </message>
</context>
<context>
    <name>animbox::DisplayGroup</name>
    <message>
        <source>显示攻/受框</source>
        <translation>Boxes</translation>
    </message>
    <message>
        <source>绘制上一帧</source>
        <translation>Onion skin</translation>
    </message>
    <message>
        <source>延迟</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>透明色</source>
        <translation>Key</translation>
    </message>
</context>
<context>
    <name>animbox::FrameListCommands</name>
    <message>
        <source>加入帧</source>
        <translation>Add frame</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete frame</translation>
    </message>
</context>
<context>
    <name>animbox::FrameListGroup</name>
    <message>
        <source>帧列表</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>删除列表中的全部帧</source>
        <translation>Removes every frame from the list</translation>
    </message>
</context>
<context>
    <name>animbox::FrmAdjust</name>
    <message>
        <source>全局调整</source>
        <translation>Offset all frames</translation>
    </message>
    <message>
        <source>单位(像素)</source>
        <translation>Step (pixels)</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>左移</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右移</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>animbox::FrmFromText</name>
    <message>
        <source>从文本生成</source>
        <translation>Frames from text</translation>
    </message>
    <message>
        <source>设置data所在目录</source>
        <translation>Set game folder…</translation>
    </message>
    <message>
        <source>从剪贴板拷贝</source>
        <translation>Paste from clipboard</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>请选择文件夹： </source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>animbox::FrmMain</name>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>初始化帧</source>
        <translation>Initialize frames</translation>
    </message>
    <message>
        <source>生成动画文本</source>
        <translation>Generate animation text</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Previous frame</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Next frame</translation>
    </message>
    <message>
        <source>播放当前动画</source>
        <translation>Play animation</translation>
    </message>
    <message>
        <source>循环播放当前动画3次</source>
        <translation>Play animation 3 times</translation>
    </message>
    <message>
        <source>坐标统一调整</source>
        <translation>Offset all frames</translation>
    </message>
    <message>
        <source>从文本生成帧</source>
        <translation>Frames from text</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>角色文件 (*.txt);;所有文件 (*)</source>
        <translation>Character files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>打开…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为动画…</source>
        <translation>Save animation as…</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>请选择文件夹： </source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>文件中没有动画: </source>
        <translation>No animation in the file: </translation>
    </message>
    <message>
        <source>文件中没有动画 %1: %2</source>
        <translation>No animation %1 in the file: %2</translation>
    </message>
    <message>
        <source>另存为动画</source>
        <translation>Save animation as</translation>
    </message>
    <message>
        <source>动画名称:</source>
        <translation>Animation name:</translation>
    </message>
    <message>
        <source>动画名称不能含有空白或 #.</source>
        <translation>An animation name cannot contain spaces or #.</translation>
    </message>
    <message>
        <source>文件在打开后被其他程序修改过: %1
是否覆盖?</source>
        <translation>Another program changed the file after it was opened: %1
Overwrite it?</translation>
    </message>
    <message>
        <source>文件中已有动画 %1, 是否替换?</source>
        <translation>The file already has an animation %1. Replace it?</translation>
    </message>
    <message>
        <source>动画已修改, 是否保存?</source>
        <translation>The animation has changed. Save it?</translation>
    </message>
    <message>
        <source>加入全部帧</source>
        <translation>Add all frames</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear frames</translation>
    </message>
    <message>
        <source>攻击类型</source>
        <translation>Attack type</translation>
    </message>
    <message>
        <source>攻击力</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>攻击延迟</source>
        <translation>Hit pause</translation>
    </message>
    <message>
        <source>延迟</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>上次退出时有未保存的动画%1, %2 帧. 是否恢复?</source>
        <translation>The last run left an unsaved animation%1 of %2 frames. Restore it?</translation>
    </message>
    <message>
        <source>恢复动画</source>
        <translation>Restore animation</translation>
    </message>
    <message>
        <source>加入帧</source>
        <translation>Add frame</translation>
    </message>
    <message>
        <source>这些文件不能打开或加入为帧 (只能打开 .txt 文件, 或加入当前文件夹中的 .gif 文件):
</source>
        <translation>These files cannot be opened or added as frames (a .txt file opens; .gif files of the current folder become frames):
</translation>
    </message>
    <message>
        <source>空攻击框</source>
        <translation>No attack box</translation>
    </message>
    <message>
        <source>空受击框</source>
        <translation>No body box</translation>
    </message>
    <message>
        <source>清除攻框</source>
        <translation>Clear attack box</translation>
    </message>
    <message>
        <source>清除受框</source>
        <translation>Clear body box</translation>
    </message>
    <message>
        <source>动画名称含有 %1 无法写出的字符, 未保存.</source>
        <translation>The animation name holds characters that %1 cannot encode. Not saved.</translation>
    </message>
    <message>
        <source>恢复文件中的动画已损坏, 无法恢复.</source>
        <translation>The animation in the recovery file is damaged and cannot be restored.</translation>
    </message>
    <message>
        <source>这些帧的图片找不到或无法读取, 帧已恢复但不显示图片:
</source>
        <translation>The images of these frames are missing or cannot be read; the frames are restored without them:
</translation>
    </message>
    <message>
        <source>检查角色</source>
        <translation>Check character</translation>
    </message>
    <message>
        <source>窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>角色面板</source>
        <translation>Character panel</translation>
    </message>
    <message>
        <source>新建动画</source>
        <translation>New animation</translation>
    </message>
    <message>
        <source>新建动画 %1</source>
        <translation>New animation %1</translation>
    </message>
    <message>
        <source>重命名动画</source>
        <translation>Rename animation</translation>
    </message>
    <message>
        <source>复制动画</source>
        <translation>Duplicate animation</translation>
    </message>
    <message>
        <source>复制 %1 为 %2</source>
        <translation>Duplicate %1 as %2</translation>
    </message>
    <message>
        <source>文件中只有这一个动画, 不能删除.</source>
        <translation>This is the only animation of the file; it cannot be deleted.</translation>
    </message>
    <message>
        <source>这是打开的角色文件. 请在角色面板中用 &quot;复制…&quot; 或 &quot;新建…&quot; 加入动画, 再保存.</source>
        <translation>This is the character file that is open. Add the animation with &quot;Duplicate…&quot; or &quot;New…&quot; in the character panel, then save.</translation>
    </message>
    <message>
        <source>文件已不存在 (在打开后被删除或移走): %1
是否按打开时的内容重新写出整个文件, 其中的动画按现在的样子?</source>
        <translation>The file is gone (deleted or moved since it was opened): %1
Write the whole file again as it was opened, with the animations as they are now?</translation>
    </message>
    <message>
        <source>文件已不存在: %1
它的其余内容已无从得知. 是否写出一个只含恢复的动画的新文件?</source>
        <translation>The file is gone: %1
What else it held is no longer known. Write a new file holding only the restored animations?</translation>
    </message>
    <message>
        <source>动画没有完整读出, 保存会丢掉其余的帧, 未保存.</source>
        <translation>The animation was not read to its end; saving would lose the frames after it. Not saved.</translation>
    </message>
    <message>
        <source>%1 中有未保存的修改: %2.
是否保存?</source>
        <translation>%1 has unsaved changes: %2.
Save them?</translation>
    </message>
    <message>
        <source>上次退出时 %1 中有未保存的修改: %2. 是否恢复?</source>
        <translation>When the program last ended, %1 had unsaved changes: %2. Restore them?</translation>
    </message>
    <message>
        <source>文件 %1 中已找不到这些动画原来的内容:</source>
        <translation>The file %1 no longer holds these animations as they were:</translation>
    </message>
    <message>
        <source>%1 (修改已恢复为文件末尾的新动画)</source>
        <translation>%1 (the edits are restored as new animations at the end of the file)</translation>
    </message>
    <message>
        <source>%1 (改名或删除未恢复)</source>
        <translation>%1 (the renaming or deletion is not restored)</translation>
    </message>
</context>
<context>
    <name>animbox::FrmText</name>
    <message>
        <source>Text</source>
        <translation>Animation text</translation>
    </message>
    <message>
        <source>拷贝到剪贴板</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>animbox::ImageLoading</name>
    <message>
        <source>无法读取图片 %1 (%2)</source>
        <translation>Cannot read the image %1 (%2)</translation>
    </message>
</context>
<context>
    <name>animbox::Messages</name>
    <message>
        <source>没有帧.</source>
        <translation>No frames.</translation>
    </message>
    <message>
        <source>无法删除</source>
        <translation>Cannot delete</translation>
    </message>
    <message>
        <source>不能定位data文件夹!</source>
        <translation>Cannot find the data folder!</translation>
    </message>
    <message>
        <source>不能定位data文件夹.</source>
        <translation>Cannot find the data folder.</translation>
    </message>
    <message>
        <source>文件不存在.</source>
        <translation>File not found: </translation>
    </message>
    <message>
        <source>无法打开文件夹: </source>
        <translation>Cannot open the folder: </translation>
    </message>
    <message>
        <source>图片太大: </source>
        <translation>Image too large: </translation>
    </message>
    <message>
        <source>坐标超出范围: </source>
        <translation>Offset out of range: </translation>
    </message>
    <message>
        <source>无效的路径.</source>
        <translation>Invalid path.</translation>
    </message>
    <message>
        <source>框的坐标超出范围 (-32768 到 32767), 未作修改.</source>
        <translation>Box coordinates out of range (-32768 to 32767); nothing changed.</translation>
    </message>
    <message>
        <source>数值超出范围 (-32768 到 32767), 保留原值.</source>
        <translation>Value out of range (-32768 to 32767); the old value stays.</translation>
    </message>
    <message>
        <source>调整量超出范围 (-32768 到 32767), 未作调整.</source>
        <translation>Step out of range (-32768 to 32767); nothing moved.</translation>
    </message>
    <message>
        <source>调整后坐标超出范围 (-32768 到 32767), 未作调整: </source>
        <translation>An offset would leave the range (-32768 to 32767); nothing moved: </translation>
    </message>
    <message>
        <source>文本中没有找到帧, 未作修改.</source>
        <translation>No frames found in the text; nothing changed.</translation>
    </message>
    <message>
        <source>参考帧坐标必须是数字.</source>
        <translation>The reference offset must be a number.</translation>
    </message>
</context>
<context>
    <name>animbox::ReferenceBar</name>
    <message>
        <source>绘制参考帧</source>
        <extracomment>The first press shows the list&apos;s frame, as &quot;DrawListFrame&quot; does.</extracomment>
        <translation>Show frame</translation>
    </message>
    <message>
        <source>绘制扩展框&amp;x</source>
        <translation>E&amp;xtended box</translation>
    </message>
    <message>
        <source>参考帧</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>DrawBaseFrame</source>
        <extracomment>The caption says what the next press does: draw the reference frame.</extracomment>
        <translation>Show reference</translation>
    </message>
    <message>
        <source>DrawListFrame</source>
        <extracomment>The caption says what the next press does: show the list&apos;s frame again.</extracomment>
        <translation>Show frame</translation>
    </message>
</context>
<context>
    <name>animbox::frmScheme</name>
    <message>
        <source>居中</source>
        <translation>Centered</translation>
    </message>
    <message>
        <source>固定边缘</source>
        <translation>Fixed edge</translation>
    </message>
    <message>
        <source>边缘</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>初始化帧</source>
        <translation>Initialize frames</translation>
    </message>
    <message>
        <source>X 方案</source>
        <translation>X placement</translation>
    </message>
    <message>
        <source>从左侧固定</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>从右侧固定</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Y 方案</source>
        <translation>Y placement</translation>
    </message>
    <message>
        <source>从顶部固定</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>从底部固定</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
