<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
  <context>
    <name>LivePanel</name>
    <message>
      <source>Exit</source>
      <translation>退出</translation>
    </message>
    <message>
      <source>Begin</source>
      <translation>开始</translation>
    </message>
    <message>
      <source>Fan</source>
      <translation>冷却风扇</translation>
    </message>
    <message>
      <source>Vacuum-pump</source>
      <translation>真空泵</translation>
    </message>
    <message>
      <source>Top-heater</source>
      <translation>顶部加热器</translation>
    </message>
    <message>
      <source>Bottom-heater</source>
      <translation>底部加热器</translation>
    </message>
    <message>
      <source>Fan-inside</source>
      <translation>冷却风扇缩进</translation>
    </message>
    <message>
      <source>Fan-outside</source>
      <translation>冷却风扇伸出</translation>
    </message>
    <message>
      <source>Top Heater up</source>
      <translation>顶部加热器在顶部</translation>
    </message>
    <message>
      <source>Top Heater down</source>
      <translation>顶部加热器在底部</translation>
    </message>
    <message>
      <source>Flow</source>
      <translation>流程</translation>
    </message>
    <message>
      <source>Soldering or Desoldering</source>
      <translation>焊接与拆焊</translation>
    </message>
  </context>
  <context>
    <name>OperatorInputPanel</name>
    <message>
      <source>Date of record:</source>
      <translation>记录日期</translation>
    </message>
    <message>
      <source>Headline</source>
      <translation>标题</translation>
    </message>
    <message>
      <source>operator</source>
      <translation>操作者</translation>
    </message>
    <message>
      <source>board</source>
      <translation>PCB板</translation>
    </message>
    <message>
      <source>component</source>
      <translation>元件</translation>
    </message>
    <message>
      <source>Profile type</source>
      <translation>操作类型</translation>
    </message>
    <message>
      <source>Orientation</source>
      <translation>位置</translation>
    </message>
    <message>
      <source>ShutterX</source>
      <translation>光圈X</translation>
    </message>
    <message>
      <source>ShutterY</source>
      <translation>光圈Y</translation>
    </message>
    <message>
      <source>Actual IR Parameter</source>
      <translation>参数</translation>
    </message>
    <message>
      <source>Soldering</source>
      <translation>焊接</translation>
    </message>
    <message>
      <source>Desoldering</source>
      <translation>拆焊</translation>
    </message>
    <message>
      <source>left down</source>
      <translation>左下</translation>
    </message>
    <message>
      <source>left up</source>
      <translation>左上</translation>
    </message>
    <message>
      <source>right down</source>
      <translation>右下</translation>
    </message>
    <message>
      <source>right up</source>
      <translation>右上</translation>
    </message>
  </context>
  <context>
    <name>ProfileImport</name>
    <message>
      <source>Parameter File</source>
      <translation>Parameter File</translation>
    </message>
    <message>
      <source>Are you sure Import parameters from "%1"?</source>
      <translation>确认从文件"%1"导入参数?</translation>
    </message>
    <message>
      <source>Successful  import  parameters , the  program  will  be  terminate , restart  please!</source>
      <translation>导入参数成功，程序将关闭，请重新启动软件?</translation>
    </message>
  </context>
  <context>
    <name>ProfilePage</name>
    <message>
      <source>profile download</source>
      <translation>下载数据</translation>
    </message>
    <message>
      <source>upload profile</source>
      <translation>上载数据</translation>
    </message>
    <message>
      <source>Add a row</source>
      <translation>增加行</translation>
    </message>
    <message>
      <source>Del the row</source>
      <translation>删除行</translation>
    </message>
    <message>
      <source>&amp;Copy</source>
      <translation>复制</translation>
    </message>
    <message>
      <source>&amp;Paste</source>
      <translation>粘贴</translation>
    </message>
    <message>
      <source>the file holds fewer profiles than it announces</source>
      <translation>文件中的参数行少于其声明的行数</translation>
    </message>
    <message>
      <source>I/O error reading "%1": %2</source>
      <translation>输入/输出错误：无法读取"%1"：%2</translation>
    </message>
    <message>
      <source>I/O error writing "%1": %2</source>
      <translation>输入/输出错误：无法写入"%1"：%2</translation>
    </message>
    <message>
      <source>The parameter list is protected.</source>
      <translation>参数已被密码保护！</translation>
    </message>
    <message>
      <source>To modify the list you have to deactivate the password protection.</source>
      <translation>请先取消参数密码保护.</translation>
    </message>
    <message>
      <source>no item!</source>
      <translation>没有可上载的项!</translation>
    </message>
    <message>
      <source>The MCU has not answered yet. Please wait until communication is established.</source>
      <translation>MCU尚未应答，请等待通讯建立后再操作。</translation>
    </message>
    <message>
      <source>Row %1: %2</source>
      <translation>第%1行：%2</translation>
    </message>
    <message>
      <source>Are you sure upload to flow %1?</source>
      <translation>请确认上载当前参数项到流程%1?</translation>
    </message>
    <message>
      <source>Are you sure download to board"%1"?</source>
      <translation>请确认下载当前参数到PCB板"%1"?</translation>
    </message>
    <message>
      <source>Are you sure delete the row"%1"?</source>
      <translation>确认删除参数行"%1"?</translation>
    </message>
  </context>
  <context>
    <name>ProtectionPasswordDialog</name>
    <message>
      <source>Changed login password</source>
      <translation>修改密码</translation>
    </message>
  </context>
  <context>
    <name>RecordWindows</name>
    <message>
      <source>IR File (*.sld)</source>
      <translation>IR File (*.sld)</translation>
    </message>
    <message>
      <source>The recording has reached 65535 samples, the most a record file can hold. Recording has stopped; every sample is kept.</source>
      <translation>记录已达到65535个采样点，这是记录文件能保存的最大数量。记录已停止，所有采样点均已保留。</translation>
    </message>
    <message>
      <source>&amp;Discard</source>
      <translation>丢弃(&amp;D)</translation>
    </message>
    <message>
      <source>A recording of %1, %2 samples, was not saved when Tamsel ended. Open it?</source>
      <translation>%1 的记录（%2 个采样点）在 Tamsel 结束时未保存。是否打开？</translation>
    </message>
    <message>
      <source>The unsaved recording %1 cannot be read (%2). It is left where it is.</source>
      <translation>无法读取未保存的记录 %1（%2）。该文件保持原样。</translation>
    </message>
    <message>
      <source>Recovered recording of %1</source>
      <translation>恢复的记录 %1</translation>
    </message>
    <message>
      <source>The file %1 ends too early. Open the %2 samples and %3 dots that could be read as an unsaved record? The file itself stays as it is.</source>
      <translation>文件 %1 不完整。是否将能读出的 %2 个采样点和 %3 个分析点作为未保存的记录打开？原文件保持不变。</translation>
    </message>
    <message>
      <source>Salvaged from %1</source>
      <translation>从 %1 抢救的记录</translation>
    </message>
    <message>
      <source>The recording cannot be kept safe against a crash (%1). It stays in the window; save it as usual.</source>
      <translation>无法为记录建立防崩溃备份（%1）。记录仍在窗口中，请照常保存。</translation>
    </message>
  </context>
  <context>
    <name>ReportOutput</name>
    <message>
      <source>The report could not be printed on "%1".</source>
      <translation>报表无法在“%1”上打印。</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览</translation>
    </message>
    <message>
      <source>Save as PDF...</source>
      <translation>另存为PDF...</translation>
    </message>
    <message>
      <source>PDF File (*.pdf)</source>
      <translation>PDF文件 (*.pdf)</translation>
    </message>
    <message>
      <source>No printer is installed.</source>
      <translation>没有安装打印机。</translation>
    </message>
    <message>
      <source>The report could not be saved as "%1": %2</source>
      <translation>报表无法保存为“%1”：%2</translation>
    </message>
  </context>
  <context>
    <name>TfrmChild</name>
    <message>
      <source>New file</source>
      <translation>新文件</translation>
    </message>
    <message>
      <source>Can't close the child form,please stop recording first!</source>
      <translation>不能关闭该程序,请首先停止纪录数据!</translation>
    </message>
    <message>
      <source>File</source>
      <translation>文件</translation>
    </message>
    <message>
      <source>Record</source>
      <translation>记录</translation>
    </message>
    <message>
      <source>Analysis</source>
      <translation>分析</translation>
    </message>
    <message>
      <source>Line</source>
      <translation>线</translation>
    </message>
    <message>
      <source>Close</source>
      <translation>关闭</translation>
    </message>
    <message>
      <source>Close the current file</source>
      <translation>关闭当前窗口</translation>
    </message>
  </context>
  <context>
    <name>TfrmChangeMm</name>
    <message>
      <source>Password</source>
      <comment>window caption</comment>
      <translation>修改密码</translation>
    </message>
    <message>
      <source>Password</source>
      <comment>new password</comment>
      <translation>新密码</translation>
    </message>
    <message>
      <source>You use the soft for first-time,Please input password again</source>
      <translation>首次使用，请输入确认密码</translation>
    </message>
    <message>
      <source>Password confirmation:</source>
      <translation>确认密码</translation>
    </message>
    <message>
      <source>Ok</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>TfrmComm</name>
    <message>
      <source>The serial port %1 has gone away: %2
The program reconnects as soon as the port is back.</source>
      <translation>串口%1已断开：%2
串口恢复后程序将自动重新连接。</translation>
    </message>
    <message>
      <source>File</source>
      <translation>文件</translation>
    </message>
    <message>
      <source>Communication</source>
      <translation>通讯</translation>
    </message>
    <message>
      <source>Others</source>
      <translation>其它</translation>
    </message>
    <message>
      <source>Language</source>
      <translation>语言</translation>
    </message>
    <message>
      <source>Window</source>
      <translation>窗口</translation>
    </message>
    <message>
      <source>Help</source>
      <translation>帮助</translation>
    </message>
    <message>
      <source>Profiles/Parameters</source>
      <translation>参数设定</translation>
    </message>
    <message>
      <source>Operator defined input</source>
      <translation>操作员定义输入</translation>
    </message>
    <message>
      <source>Process values</source>
      <translation>过程值</translation>
    </message>
  </context>
  <context>
    <name>TfrmCommActions</name>
    <message>
      <source>New</source>
      <translation>新建</translation>
    </message>
    <message>
      <source>&amp;Open...</source>
      <translation>打开...</translation>
    </message>
    <message>
      <source>Exit</source>
      <translation>退出</translation>
    </message>
    <message>
      <source>the apllication terminal</source>
      <translation>退出程序</translation>
    </message>
    <message>
      <source>communication</source>
      <translation>通讯</translation>
    </message>
    <message>
      <source>communication on/off</source>
      <translation>通讯开启/中断</translation>
    </message>
    <message>
      <source>say hello</source>
      <translation>握手</translation>
    </message>
    <message>
      <source>say hello to MFC</source>
      <translation>握手</translation>
    </message>
    <message>
      <source>IR protection</source>
      <translation>IR 保护</translation>
    </message>
    <message>
      <source>COM port setting</source>
      <translation>串口设置</translation>
    </message>
    <message>
      <source>Options...</source>
      <translation>选项...</translation>
    </message>
    <message>
      <source>Parameter list protection...</source>
      <translation>参数保护</translation>
    </message>
    <message>
      <source>Parameter protection...</source>
      <translation>参数保护</translation>
    </message>
    <message>
      <source>English</source>
      <translation>英文</translation>
    </message>
    <message>
      <source>Chinese</source>
      <translation>中文</translation>
    </message>
    <message>
      <source>Quick upload</source>
      <translation>快速上载</translation>
    </message>
    <message>
      <source>&amp;Title array</source>
      <translation>标题排列</translation>
    </message>
    <message>
      <source>&amp;Window cascade</source>
      <translation>叠排窗口</translation>
    </message>
    <message>
      <source>&amp;Icons array</source>
      <translation>图标排列</translation>
    </message>
    <message>
      <source>Tamsel help</source>
      <translation>Tamsel帮助</translation>
    </message>
    <message>
      <source>About</source>
      <translation>关于</translation>
    </message>
    <message>
      <source>Save</source>
      <translation>保存</translation>
    </message>
    <message>
      <source>Save as...</source>
      <translation>另存为...</translation>
    </message>
    <message>
      <source>Record</source>
      <translation>记录</translation>
    </message>
    <message>
      <source>Delete</source>
      <translation>删除</translation>
    </message>
    <message>
      <source>Delete recording</source>
      <translation>删除记录</translation>
    </message>
    <message>
      <source>Analysis cursor</source>
      <translation>分析光标</translation>
    </message>
    <message>
      <source>Analysis cusor show/hide</source>
      <translation>分析on/off</translation>
    </message>
    <message>
      <source>Add analysis dot</source>
      <translation>增加分析点</translation>
    </message>
    <message>
      <source>Add analysys dot</source>
      <translation>增加分析点</translation>
    </message>
    <message>
      <source>Erase last analysis dot</source>
      <translation>删除上一分析点</translation>
    </message>
    <message>
      <source>Erase last analysis dot</source>
      <comment>hint</comment>
      <translation>删除上一个分析点</translation>
    </message>
    <message>
      <source>Erase all analysis dots</source>
      <translation>删除所有分析点</translation>
    </message>
    <message>
      <source>Small</source>
      <translation>小</translation>
    </message>
    <message>
      <source>Medium</source>
      <translation>中</translation>
    </message>
    <message>
      <source>Large</source>
      <translation>大</translation>
    </message>
    <message>
      <source>Orginal size</source>
      <translation>原始尺寸</translation>
    </message>
    <message>
      <source>Manual zoom</source>
      <translation>放大</translation>
    </message>
    <message>
      <source>Zoom to selected window</source>
      <translation>放大</translation>
    </message>
    <message>
      <source>Fit to window</source>
      <translation>适应尺寸</translation>
    </message>
    <message>
      <source>Preview</source>
      <translation>预览...</translation>
    </message>
    <message>
      <source>show a complete page</source>
      <translation>显示完整</translation>
    </message>
    <message>
      <source>Print</source>
      <translation>打印</translation>
    </message>
    <message>
      <source>prints the document</source>
      <translation>打印文档</translation>
    </message>
    <message>
      <source>Print...</source>
      <translation>打印...</translation>
    </message>
  </context>
  <context>
    <name>TfrmIRPassSet</name>
    <message>
      <source>Tamsel Login password protection</source>
      <translation>Tamsel 登录密码</translation>
    </message>
    <message>
      <source>Password input:</source>
      <translation>输入密码：</translation>
    </message>
    <message>
      <source>Password confirmation:</source>
      <translation>请再次确认密码：</translation>
    </message>
    <message>
      <source>Note:
The password can also set who will operate the IR rework system. If you want to cancel this password, you can set it empty.</source>
      <translation>注:此密码用于设定操作员的权限，只有登录后才能操作设备；如果您不想使用此密码保护，可以设置密码为空。</translation>
    </message>
    <message>
      <source>cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>login</source>
      <translation>登录</translation>
    </message>
  </context>
  <context>
    <name>TfrmLogon</name>
    <message>
      <source>Login</source>
      <translation>登录</translation>
    </message>
    <message>
      <source>Employee No.</source>
      <translation>用户工号</translation>
    </message>
    <message>
      <source>Password</source>
      <translation>密码</translation>
    </message>
    <message>
      <source>Name</source>
      <translation>姓名</translation>
    </message>
    <message>
      <source>Department</source>
      <translation>部门</translation>
    </message>
    <message>
      <source>Remark</source>
      <translation>备注</translation>
    </message>
    <message>
      <source>Double click to change password</source>
      <translation>双击修改密码</translation>
    </message>
    <message>
      <source>Ok</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>TfrmParameterpass</name>
    <message>
      <source>Parameter protection</source>
      <translation>参数密码保护</translation>
    </message>
    <message>
      <source>Password input:</source>
      <translation>密码输入：</translation>
    </message>
    <message>
      <source>Password confirmation:</source>
      <translation>请再次确认密码：</translation>
    </message>
    <message>
      <source>Note:
As password alphanumeric characters of any length are allowed.If you want to cancel the password, you can let it empty.</source>
      <translation>注:
可以输入任何长度任何字符;如果您不想对参数进行保护，可以设置密码为空。</translation>
    </message>
    <message>
      <source>cancel</source>
      <translation>取消</translation>
    </message>
    <message>
      <source>login</source>
      <translation>确定</translation>
    </message>
  </context>
  <context>
    <name>TfrmSetCOM</name>
    <message>
      <source>setup</source>
      <translation>设置</translation>
    </message>
    <message>
      <source>COM port settings</source>
      <translation>串口设置</translation>
    </message>
    <message>
      <source>port:</source>
      <translation>COM口：</translation>
    </message>
    <message>
      <source>baud rate:</source>
      <translation>波特率：</translation>
    </message>
    <message>
      <source>Ok</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>TranslatedMessageBox</name>
    <message>
      <source>OK</source>
      <translation>确定</translation>
    </message>
    <message>
      <source>Information</source>
      <translation>信息</translation>
    </message>
    <message>
      <source>Warning</source>
      <translation>警告</translation>
    </message>
    <message>
      <source>Error</source>
      <translation>错误</translation>
    </message>
    <message>
      <source>Confirm</source>
      <translation>确认</translation>
    </message>
    <message>
      <source>&amp;Yes</source>
      <translation>是</translation>
    </message>
    <message>
      <source>&amp;No</source>
      <translation>否</translation>
    </message>
  </context>
  <context>
    <name>UsersMessages</name>
    <message>
      <source>Cannot read &quot;%1&quot;: %2</source>
      <translation>无法读取“%1”：%2</translation>
    </message>
    <message>
      <source>Cannot write &quot;%1&quot;: %2</source>
      <translation>无法写入“%1”：%2</translation>
    </message>
  </context>
</TS>
