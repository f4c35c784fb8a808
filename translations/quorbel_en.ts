<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>TfrmMain</name>
    <message>
        <location filename="../src/app/actiontable.cpp" line="+10"/>
        <location line="+14"/>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-14"/>
        <source>选择文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>换名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>对应表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>使用对应表填充新名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>自动编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>清空结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>清除处理结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>预检</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>撤销换名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>保存列表</source>
        <comment>tool bar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>对应表</source>
        <comment>tool bar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>自动编号</source>
        <comment>tool bar</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>清空结果</source>
        <comment>tool bar</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::DirectoryListBox</name>
    <message>
        <location filename="../src/intake/directorylistbox.cpp" line="+37"/>
        <source>无法进入目录 %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::TAboutBox</name>
    <message>
        <location filename="../src/app/about.cpp" line="+27"/>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>〖Quorbel〗</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>主页:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmDir</name>
    <message>
        <location filename="../src/intake/opendir.cpp" line="+28"/>
        <location line="+22"/>
        <source>选择目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>格式选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>自定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>增加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>选择照片存放位置</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmLinkExcel</name>
    <message>
        <location filename="../src/mapping/linkexcel.cpp" line="+58"/>
        <source>对应表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>第一步:获取数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>选择Excel表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>选择表页(sheet)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>第二步:对应关系</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>原文件名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>新文件名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>仅对Excel97/2000进行测试,更高版未经测试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>打开</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmLoadPic</name>
    <message>
        <location filename="../src/intake/loadpicture.cpp" line="+51"/>
        <source>调入图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>双击打开目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>当前图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>增强方式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>使用Shift或Ctrl快速选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>格式选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>自定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>增加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>全部选中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+14"/>
        <source>预览</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-11"/>
        <source>空空如也</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+103"/>
        <source>共选中:%1个图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>宽:%1 高:%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmMain</name>
    <message>
        <location filename="../src/app/exportcommand.cpp" line="+41"/>
        <source>列表已保存,%1 个单元格中无法识别的字节已写为“�”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/main.cpp" line="+214"/>
        <source>空空如也</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>文件处理失败列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>保存列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>清除列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/numberingcommand.cpp" line="+56"/>
        <source>提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/opendircommand.cpp" line="+42"/>
        <source>请选择目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/renamecommands.cpp" line="+96"/>
        <source>无法写换名记录,没有换名任何文件: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>换名记录写入失败,换名在第 %1 行停止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/saferuncommands.cpp" line="+26"/>
        <source>换名记录已损坏(%1),没有撤销任何文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>换名记录无法读取(%1),没有撤销任何文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>记录已另存为 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>记录仍在 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>另一个换名正在进行,请在它结束后再撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>没有可以撤销的换名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>换名记录无法更新: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>上次换名没有完成(程序被关闭或中断)。要撤销上次换名吗?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmSerial</name>
    <message>
        <location filename="../src/numbering/serialnub.cpp" line="+31"/>
        <source>自动编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>编号规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>打头字符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>起始编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>递增量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>编号范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>起始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>终止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>放弃</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
