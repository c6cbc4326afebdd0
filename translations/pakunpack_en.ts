<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>pakunpack::Form1</name>
    <message>
        <source>选择pak</source>
        <translation>Choose a .pak file</translation>
    </message>
    <message>
        <source>选取pak</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>解压pak</source>
        <translation>Unpack</translation>
    </message>
    <message>
        <source>pakunpack 版本%1.%2</source>
        <translation>pakunpack version %1.%2</translation>
    </message>
    <message>
        <source>1.选择一个pak文件</source>
        <translation>1. Choose a .pak file.</translation>
    </message>
    <message>
        <source>2.点击解压按钮</source>
        <translation>2. Click Unpack.</translation>
    </message>
    <message>
        <source>然后会在pak目录下生成data文件夹,将这个文件夹拷贝到Kestrum目录下即可.注意,如果要运行解包的MOD需要在paks文件夹至少有一个.pak文件 </source>
        <translation>A data folder then appears beside the .pak file; copy it into the Kestrum folder. To run an unpacked MOD, the paks folder must still hold at least one .pak file. </translation>
    </message>
    <message>
        <source>pak文件 (*.pak)</source>
        <translation>Pak files (*.pak)</translation>
    </message>
    <message>
        <source>请选择pak文件</source>
        <translation>Please choose a .pak file.</translation>
    </message>
    <message>
        <source>无法启动解包工具:
%1
(%2)</source>
        <translation>Cannot start the unpacking tool:
%1
(%2)</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>pakunpack::UnpackWindow</name>
    <message>
        <source>打开data文件夹</source>
        <translation>Open data folder</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>正在解压: </source>
        <translation>Unpacking: </translation>
    </message>
    <message>
        <source>正在解压...</source>
        <translation>Unpacking...</translation>
    </message>
    <message>
        <source>解包工具异常结束, 解压没有完成.</source>
        <translation>The unpacking tool stopped unexpectedly; unpacking is not complete.</translation>
    </message>
    <message>
        <source>解压失败 (退出码 %1), 没有写入文件:</source>
        <translation>Unpacking failed (exit code %1); no files were written:</translation>
    </message>
    <message numerus="yes">
        <source>解压完成: 写入了%n个文件.</source>
        <translation>
            <numerusform>Done: %n file written.</numerusform>
            <numerusform>Done: %n files written.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> 有%n个条目被拒绝, 原因如下:</source>
        <translation>
            <numerusform> %n entry was refused, for this reason:</numerusform>
            <numerusform> %n entries were refused, for these reasons:</numerusform>
        </translation>
    </message>
    <message>
        <source>解压失败: 没有解压出任何文件.</source>
        <translation>Unpacking failed: nothing was extracted.</translation>
    </message>
    <message>
        <source>无法打开data文件夹 (没有找到可以打开文件夹的程序). 它在:
%1</source>
        <translation>The data folder could not be opened (no program for opening folders was found). It is at:
%1</translation>
    </message>
</context>
</TS>
