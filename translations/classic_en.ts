<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>classic::ClassicScript</name>
    <message>
        <source>The height above the ground is not a usable number.</source>
        <translation>The height above the ground is not a usable number.</translation>
    </message>
    <message>
        <source>The fixed x is not a usable number.</source>
        <translation>The fixed x is not a usable number.</translation>
    </message>
</context>
<context>
    <name>classic::Form1</name>
    <message>
        <source>The folder %1 cannot be read.</source>
        <translation>The folder %1 cannot be read.</translation>
    </message>
    <message>
        <source>The drive %1 is not ready.</source>
        <translation>The drive %1 is not ready.</translation>
    </message>
    <message>
        <source>File %1 does not exist.</source>
        <translation>File %1 does not exist.</translation>
    </message>
    <message>
        <source>File %1 is not an image that can be loaded.</source>
        <translation>File %1 is not an image that can be loaded.</translation>
    </message>
    <message>
        <source>This frame is not defined yet</source>
        <translation>This frame is not defined yet</translation>
    </message>
    <message>
        <source>请选择帧</source>
        <translation>Please choose a frame.</translation>
    </message>
    <message>
        <source>没有选择帧</source>
        <translation>No frames chosen.</translation>
    </message>
    <message>
        <source>No Frames.</source>
        <translation>No Frames.</translation>
    </message>
    <message>
        <source>x and y must lie between -32768 and 32767.</source>
        <translation>x and y must lie between -32768 and 32767.</translation>
    </message>
</context>
<context>
    <name>classic::Form1Ui</name>
    <message>
        <source>Frame:%1  %2 x %3</source>
        <translation>Frame:%1  %2 x %3</translation>
    </message>
    <message>
        <source>文件通配</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>添加该帧到动画列表</source>
        <translation>Add frame</translation>
    </message>
    <message>
        <source>添加全部帧到动画列表</source>
        <translation>Add all frames</translation>
    </message>
    <message>
        <source>离地面</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Fix x</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>px</translation>
    </message>
    <message>
        <source>从右侧固定</source>
        <translation>From right</translation>
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
        <source>InsertDefination</source>
        <translation>InsertDefination</translation>
    </message>
    <message>
        <source>删除帧</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>清除帧</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>当前设定为</source>
        <translation>Box to draw</translation>
    </message>
    <message>
        <source>受击框</source>
        <translation>Body</translation>
    </message>
    <message>
        <source>攻击框</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>设置位移</source>
        <translation>Set offset</translation>
    </message>
    <message>
        <source>加入空判断框</source>
        <translation>Add empty box</translation>
    </message>
    <message>
        <source>鼠标点击此处,方向键调整offset</source>
        <translation>Click here; arrow keys move offset</translation>
    </message>
    <message>
        <source>全局offset调整</source>
        <translation>Shift all offsets</translation>
    </message>
    <message>
        <source>显示判定框</source>
        <translation>Show boxes</translation>
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
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>初始化帧</source>
        <translation>Initialize frames</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation>Play in a loop</translation>
    </message>
    <message>
        <source>复制文本到剪贴板</source>
        <translation>Copy text to clipboard</translation>
    </message>
    <message>
        <source>粉红色背景</source>
        <translation>Pink background</translation>
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
        <source>从文本得到帧</source>
        <translation>Frames from text</translation>
    </message>
</context>
<context>
    <name>classic::Form2</name>
    <message>
        <source>Form2</source>
        <translation>Form2</translation>
    </message>
</context>
<context>
    <name>classic::ScriptFile</name>
    <message>
        <source>脚本文件 (*.txt);;所有文件 (*)</source>
        <translation>Script files (*.txt);;All files (*)</translation>
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
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>文件在打开后被其他程序修改过: %1
是否覆盖?</source>
        <translation>Another program changed the file after it was opened: %1
Overwrite it?</translation>
    </message>
    <message>
        <source>文本已修改, 是否保存?</source>
        <translation>The text has changed. Save it?</translation>
    </message>
    <message>
        <source>上次退出时有未保存的文本%1. 是否恢复?</source>
        <translation>The last run left unsaved text%1. Restore it?</translation>
    </message>
    <message>
        <source>第 %1 行有 %2 编码无法写出的字符, 未保存:
%3</source>
        <translation>Line %1 holds characters that %2 cannot encode. Not saved:
%3</translation>
    </message>
    <message>
        <source>第 %1 行有文件中无法识别的字节 (显示为 �), 写出会改变它们, 未保存:
%2</source>
        <translation>Line %1 holds bytes of the file that cannot be read (shown as �); writing it would change them. Not saved:
%2</translation>
    </message>
    <message>
        <source>文件在打开后被删除或移走了: %1
是否写出全部文本?</source>
        <translation>The file was deleted or moved after it was opened: %1
Write the whole text?</translation>
    </message>
</context>
</TS>
