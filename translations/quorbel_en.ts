<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>RuleDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>quorbel::DirectoryListBox</name>
    <message>
        <source>无法进入目录 %1</source>
        <translation>Cannot open the folder %1</translation>
    </message>
</context>
<context>
    <name>quorbel::NamePreview</name>
    <message>
        <source>原名称</source>
        <translation>Old name</translation>
    </message>
    <message>
        <source>新名称</source>
        <translation>New name</translation>
    </message>
</context>
<context>
    <name>quorbel::TAboutBox</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>〖Quorbel〗</source>
        <translation>〖Quorbel〗</translation>
    </message>
    <message>
        <source>主页:</source>
        <translation>Home:</translation>
    </message>
    <message>
        <source>未设置</source>
        <translation>Not set</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmDateName</name>
    <message>
        <source>按拍摄日期命名</source>
        <translation>Name by date taken</translation>
    </message>
    <message>
        <source>命名规则</source>
        <translation>Naming rule</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>%Y 年  %m 月  %d 日  %H 时  %M 分  %S 秒</source>
        <translation>%Y year  %m month  %d day  %H h  %M min  %S s</translation>
    </message>
    <message>
        <source>（没有拍摄日期）</source>
        <translation>(no date taken)</translation>
    </message>
    <message>
        <source>（不变）</source>
        <translation>(unchanged)</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmDir</name>
    <message>
        <source>选择目录</source>
        <translation>Choose folder</translation>
    </message>
    <message>
        <source>格式选择</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>增加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>选择照片存放位置</source>
        <translation>Choose the folder of the photos</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmLinkExcel</name>
    <message>
        <source>Excel (*.xls);;Excel 2007 (*.xlsx);;OpenDocument (*.ods);;CSV (*.csv);;Unicode 文本 (*.txt)</source>
        <translation>Excel (*.xls);;Excel 2007 (*.xlsx);;OpenDocument (*.ods);;CSV (*.csv);;Unicode text (*.txt)</translation>
    </message>
    <message>
        <source>对应表</source>
        <translation>Mapping table</translation>
    </message>
    <message>
        <source>第一步:获取数据</source>
        <translation>Step 1: Get the data</translation>
    </message>
    <message>
        <source>选择Excel表</source>
        <translation>Choose workbook</translation>
    </message>
    <message>
        <source>选择表页(sheet)</source>
        <translation>Sheet</translation>
    </message>
    <message>
        <source>第二步:对应关系</source>
        <translation>Step 2: Match columns</translation>
    </message>
    <message>
        <source>原文件名</source>
        <translation>Old name</translation>
    </message>
    <message>
        <source>新文件名</source>
        <translation>New name</translation>
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
        <source>仅对Excel97/2000进行测试,更高版未经测试</source>
        <translation>Tested with Excel 97/2000 only; later versions untested</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>无法打开该工作簿</source>
        <translation>Cannot open this workbook</translation>
    </message>
    <message>
        <source>板图</source>
        <translation>Plate</translation>
    </message>
    <message>
        <source>按文件名中的孔位(如 A01)从板图取新文件名</source>
        <translation>Take new names from the plate by the well in the file name (such as A01)</translation>
    </message>
    <message>
        <source>板</source>
        <translation>Plate</translation>
    </message>
    <message>
        <source>%1 孔 (A1–%2%3)</source>
        <translation>%1 wells (A1–%2%3)</translation>
    </message>
    <message>
        <source>板 %1 (%2)</source>
        <translation>Plate %1 (%2)</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmLoadPic</name>
    <message>
        <source>调入图像</source>
        <translation>Load pictures</translation>
    </message>
    <message>
        <source>双击打开目录</source>
        <translation>Double-click to open a folder</translation>
    </message>
    <message>
        <source>当前图片</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>增强方式</source>
        <translation>Extended</translation>
    </message>
    <message>
        <source>使用Shift或Ctrl快速选择</source>
        <translation>Use Shift or Ctrl to select quickly</translation>
    </message>
    <message>
        <source>格式选择</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>增加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>全部选中</source>
        <translation>Select all</translation>
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
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>空空如也</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>共选中:%1个图片</source>
        <translation>Selected: %1</translation>
    </message>
    <message>
        <source>宽:%1 高:%2</source>
        <translation>W:%1 H:%2</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmMain</name>
    <message>
        <source>文件</source>
        <translation>Open files</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Choose files</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>换名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>对应表</source>
        <translation>Mapping table</translation>
    </message>
    <message>
        <source>使用对应表填充新名称</source>
        <translation>Fill in new names from a mapping table</translation>
    </message>
    <message>
        <source>自动编号</source>
        <translation>Auto numbering</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>清空结果</source>
        <translation>Clear results</translation>
    </message>
    <message>
        <source>清除处理结果</source>
        <translation>Clear the result column</translation>
    </message>
    <message>
        <source>保存列表</source>
        <translation>Save list</translation>
    </message>
    <message>
        <source>预检</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>撤销换名</source>
        <translation>Undo rename</translation>
    </message>
    <message>
        <source>文件</source>
        <comment>menu</comment>
        <translation>File</translation>
    </message>
    <message>
        <source>操作</source>
        <comment>menu</comment>
        <translation>Actions</translation>
    </message>
    <message>
        <source>帮助</source>
        <comment>menu</comment>
        <translation>Help</translation>
    </message>
    <message>
        <source>文件</source>
        <comment>tool bar</comment>
        <translation>Files</translation>
    </message>
    <message>
        <source>保存列表</source>
        <comment>tool bar</comment>
        <translation>Save</translation>
    </message>
    <message>
        <source>对应表</source>
        <comment>tool bar</comment>
        <translation>Mapping</translation>
    </message>
    <message>
        <source>自动编号</source>
        <comment>tool bar</comment>
        <translation>Number</translation>
    </message>
    <message>
        <source>清空结果</source>
        <comment>tool bar</comment>
        <translation>Clear</translation>
    </message>
    <message>
        <source>列表已保存,%1 个单元格中无法识别的字节已写为“�”</source>
        <translation>List saved; unreadable bytes in %1 cells were written as “�”</translation>
    </message>
    <message>
        <source>空空如也</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>文件处理失败列表</source>
        <translation>Failed files</translation>
    </message>
    <message>
        <source>清除列表</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>请选择目录</source>
        <translation>Please choose a folder</translation>
    </message>
    <message>
        <source>无法写换名记录,没有换名任何文件: %1</source>
        <translation>Cannot write the rename journal, nothing renamed: %1</translation>
    </message>
    <message>
        <source>换名记录写入失败,换名在第 %1 行停止</source>
        <translation>The rename journal could not be written; the rename stopped at row %1</translation>
    </message>
    <message>
        <source>换名记录已损坏(%1),没有撤销任何文件。</source>
        <translation>The rename journal is damaged (%1); nothing was undone. </translation>
    </message>
    <message>
        <source>换名记录无法读取(%1),没有撤销任何文件。</source>
        <translation>The rename journal cannot be read (%1); nothing was undone. </translation>
    </message>
    <message>
        <source>记录已另存为 %1</source>
        <translation>The journal was kept as %1</translation>
    </message>
    <message>
        <source>记录仍在 %1</source>
        <translation>The journal is still at %1</translation>
    </message>
    <message>
        <source>没有可以撤销的换名</source>
        <translation>There is no rename to undo</translation>
    </message>
    <message>
        <source>换名记录无法更新: %1</source>
        <translation>The rename journal could not be updated: %1</translation>
    </message>
    <message>
        <source>上次换名没有完成(程序被关闭或中断)。要撤销上次换名吗?</source>
        <translation>The last rename did not finish (the program was closed or stopped). Undo the last rename?</translation>
    </message>
    <message>
        <source>查找替换</source>
        <translation>Find and replace</translation>
    </message>
    <message>
        <source>按拍摄日期命名</source>
        <translation>Name by date taken</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmReplace</name>
    <message>
        <source>查找替换</source>
        <translation>Find and replace</translation>
    </message>
    <message>
        <source>替换规则</source>
        <translation>Replace rule</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>替换为</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>正则表达式</source>
        <translation>Regular expression</translation>
    </message>
    <message>
        <source>替换为里可用 $1 或 ${名称} 引用分组</source>
        <translation>Replace may name the groups as $1 or ${name}</translation>
    </message>
    <message>
        <source>不区分大小写</source>
        <translation>Ignore case</translation>
    </message>
    <message>
        <source>（不变）</source>
        <translation>(unchanged)</translation>
    </message>
    <message>
        <source>（空）</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>quorbel::TfrmSerial</name>
    <message>
        <source>自动编号</source>
        <translation>Auto numbering</translation>
    </message>
    <message>
        <source>编号规则</source>
        <translation>Numbering</translation>
    </message>
    <message>
        <source>打头字符</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>起始编号</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>递增量</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>编号范围</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>起始</source>
        <translation>First</translation>
    </message>
    <message>
        <source>终止</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
