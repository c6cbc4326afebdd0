<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>browser::SaveQuestion</name>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>model::BlockComposer</name>
    <message>
        <source>没有帧.</source>
        <translation>No frames.</translation>
    </message>
    <message>
        <source>无法写出第 %1 帧.</source>
        <translation>Frame %1 cannot be written.</translation>
    </message>
    <message>
        <source>第 %1 帧 (%2) 不在 data 文件夹中, 未保存.</source>
        <translation>Frame %1 (%2) does not lie below a data folder. Not saved.</translation>
    </message>
    <message>
        <source>第 %1 帧的一行含有 %2 无法写出的字符, 未保存: %3</source>
        <translation>A line of frame %1 holds characters that %2 cannot encode. Not saved: %3</translation>
    </message>
</context>
<context>
    <name>model::CharacterCheck</name>
    <message>
        <source>关键字 %1 后面没有数值</source>
        <translation>Keyword %1 has no values</translation>
    </message>
    <message>
        <source>受击框</source>
        <translation>Body box</translation>
    </message>
    <message>
        <source>攻击框</source>
        <translation>Attack box</translation>
    </message>
    <message>
        <source>锚点 (%1, %2) 在图片 (%3×%4) 之外</source>
        <translation>Anchor (%1, %2) lies outside the %3×%4 sprite</translation>
    </message>
    <message>
        <source>%1的宽或高为负: %2</source>
        <translation>%1 has a negative width or height: %2</translation>
    </message>
    <message>
        <source>%1完全在图片 (%2×%3) 之外: %4</source>
        <translation>%1 lies wholly outside the %2×%3 sprite: %4</translation>
    </message>
    <message>
        <source>动画 %1 重复: 第 %2 行已有同名的动画</source>
        <translation>Another animation named %1: the first is on line %2</translation>
    </message>
    <message>
        <source>保留而不解释的关键字 %1 (共 %2 行)</source>
        <translation>Keyword %1 kept but not interpreted, lines: %2</translation>
    </message>
</context>
<context>
    <name>model::EditedCharacter</name>
    <message>
        <source>文件中找不到打开时的动画 %1: 它已被其他程序修改, 或在文件中出现了多次. 未保存.</source>
        <translation>The animation %1 as it was opened is no longer in the file: another program changed it, or it occurs more than once. Not saved.</translation>
    </message>
    <message>
        <source>动画名称不能为空, 也不能含有空白或 #.</source>
        <translation>An animation name cannot be empty or hold blanks or #.</translation>
    </message>
    <message>
        <source>文件中已有动画 %1, 请换一个名称.</source>
        <translation>The file already has an animation %1; choose another name.</translation>
    </message>
    <message>
        <source>动画名称含有 %1 无法写出的字符.</source>
        <translation>The animation name holds characters that %1 cannot write.</translation>
    </message>
    <message>
        <source>动画名称 %1 含有 %2 无法写出的字符, 未保存.</source>
        <translation>The animation name %1 holds characters that %2 cannot write. Not saved.</translation>
    </message>
    <message>
        <source>动画 %1 没有完整读出, 保存会丢掉其余的帧, 未保存.</source>
        <translation>The animation %1 was not read to its end; saving would lose the frames after it. Not saved.</translation>
    </message>
    <message>
        <source>动画 %1: %2</source>
        <translation>Animation %1: %2</translation>
    </message>
</context>
<context>
    <name>model::FileReplacement</name>
    <message>
        <source>无法写入文件 %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>无法读取文件 %1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>
文件未作修改.</source>
        <translation>
The file was not changed.</translation>
    </message>
    <message>
        <source>
文件只写入了一部分, 原来的内容在 %1.</source>
        <translation>
The file was written only in part; its previous contents are in %1.</translation>
    </message>
</context>
<context>
    <name>model::OpenedBlock</name>
    <message>
        <source>这一行无法用 %1 写出, 未保存: %2</source>
        <translation>This line cannot be written in %1. Not saved: %2</translation>
    </message>
</context>
<context>
    <name>model::RecoveryFile</name>
    <message>
        <source>恢复文件是空的: %1</source>
        <translation>The recovery file is empty: %1</translation>
    </message>
    <message>
        <source>恢复文件已损坏: %1</source>
        <translation>The recovery file is damaged: %1</translation>
    </message>
    <message>
        <source>已移到 %1</source>
        <translation>It was moved to %1</translation>
    </message>
</context>
<context>
    <name>model::Scheme</name>
    <message>
        <source>方案的数值超出范围: %1</source>
        <translation>A value of the scheme is out of range: %1</translation>
    </message>
</context>
<context>
    <name>model::ScriptReader</name>
    <message>
        <source>第 %1 行: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>行太长 (超过 %1 个字符)</source>
        <translation>Line too long (more than %1 characters)</translation>
    </message>
    <message>
        <source>溢出: 数值超出 -32768 到 32767</source>
        <translation>Overflow: the number is outside -32768 to 32767</translation>
    </message>
    <message>
        <source>类型不匹配: 需要一个数字</source>
        <translation>Type mismatch: a number is expected</translation>
    </message>
    <message>
        <source>文件不存在! %1</source>
        <translation>File not found! %1</translation>
    </message>
    <message>
        <source>无法读取图片 %1</source>
        <translation>Cannot read the image %1</translation>
    </message>
    <message>
        <source>溢出: 帧太多</source>
        <translation>Overflow: too many frames</translation>
    </message>
</context>
<context>
    <name>model::ScriptWriter</name>
    <message>
        <source>没有帧.</source>
        <translation>No frames.</translation>
    </message>
    <message>
        <source>不能定位data文件夹!</source>
        <translation>Cannot find the data folder!</translation>
    </message>
</context>
<context>
    <name>program::AboutBox</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>软件包: %1 %2</source>
        <translation>Package: %1 %2</translation>
    </message>
    <message>
        <source>许可证: %1</source>
        <translation>Licence: %1</translation>
    </message>
    <message>
        <source>Qt 版本: %1</source>
        <translation>Qt version: %1</translation>
    </message>
    <message>
        <source>关于 %1</source>
        <translation>About %1</translation>
    </message>
</context>
<context>
    <name>program::CommandLine</name>
    <message>
        <source>本次运行的界面语言: zh (中文) 或 en (英文).</source>
        <translation>The interface language of this run: zh (Chinese) or en (English).</translation>
    </message>
    <message>
        <source>用 %1 --help 查看用法.</source>
        <translation>Run %1 --help for the usage.</translation>
    </message>
    <message>
        <source>软件包 %1 %2</source>
        <translation>Package %1 %2</translation>
    </message>
</context>
<context>
    <name>program::ProgramInfo</name>
    <message>
        <source>Kestrum 角色模组的动画帧编辑器</source>
        <translation>Frame editor for the animations of Kestrum character mods</translation>
    </message>
    <message>
        <source>打开角色文件, 显示给出名称的动画 (否则第一个), 或把 .gif 图片加入为帧.</source>
        <translation>Opens a character file at the animation named (else its first), or adds .gif images as frames.</translation>
    </message>
    <message>
        <source>早期的 Kestrum 帧编辑器, 逐行编辑动画脚本文本</source>
        <translation>The earlier Kestrum frame editor, which edits the animation&apos;s script text line by line</translation>
    </message>
    <message>
        <source>在文本框中打开这个脚本文本文件.</source>
        <translation>Opens this script text file in the text box.</translation>
    </message>
    <message>
        <source>解压 Kestrum 游戏的 .pak 资源包</source>
        <translation>Unpacks a Kestrum game&apos;s .pak archive</translation>
    </message>
    <message>
        <source>要解压的 pak 文件, 原样放入路径框.</source>
        <translation>The pak file to unpack, put into the path box as given.</translation>
    </message>
</context>
<context>
    <name>zoom::ZoomControl</name>
    <message>
        <source>缩放 %1x</source>
        <translation>Zoom %1x</translation>
    </message>
</context>
</TS>
