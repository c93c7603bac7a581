<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>borders</name>
    <message>
        <source>加载边框信息...</source>
        <translation>Loading borders...</translation>
    </message>
    <message>
        <source>解析分类......</source>
        <translation>Reading classes......</translation>
    </message>
    <message>
        <source>加载边框失败，请确定网络连接！</source>
        <translation>Could not load the borders. Check the network!</translation>
    </message>
    <message>
        <source>暂时没有边框！</source>
        <translation>No borders yet!</translation>
    </message>
    <message>
        <source>图片不存在！</source>
        <translation>No picture!</translation>
    </message>
</context>
<context>
    <name>capture</name>
    <message>
        <source>加载边框 ......%1 %</source>
        <translation>Loading border ......%1 %</translation>
    </message>
    <message>
        <source>没有找到摄像设备，无法拍摄！
  请先用 [合成] 模式！
 
点上面的[合成]按钮进入合成模式！</source>
        <translation>No camera found: no photos!
  Use [Compose] mode instead!
 
The [Compose] tab above starts it.</translation>
    </message>
    <message>
        <source>摄像头设备被占用，无法拍摄！
 请先用 [合成] 模式！
 
点上面的[合成]按钮进入合成模式！</source>
        <translation>The camera is busy: no photos!
 Use [Compose] mode instead!
 
The [Compose] tab above starts it.</translation>
    </message>
    <message>
        <source>正在检测摄像设备...</source>
        <translation>Looking for a camera...</translation>
    </message>
    <message>
        <source>重新检测摄像设备</source>
        <translation>Look again</translation>
    </message>
    <message>
        <source>请选择本地图片文件作合成背景！</source>
        <translation>Choose a picture file as background!</translation>
    </message>
    <message>
        <source>无边框</source>
        <translation>No border</translation>
    </message>
    <message>
        <source>！ 先拍摄若干张，随后切换到[整理]，进行删选。</source>
        <translation>! Take a few photos, then go to [Arrange] to pick the ones to keep.</translation>
    </message>
    <message>
        <source>！ 选择本地图片文件作为合成背景进行拍摄，随后切换到[整理]窗口，进行删选。</source>
        <translation>! Choose a picture file as background and take photos, then go to [Arrange] to pick the ones to keep.</translation>
    </message>
    <message>
        <source>边框类别</source>
        <translation>Classes</translation>
    </message>
    <message>
        <source>按此快门！</source>
        <translation>Shoot here!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>边框分类信息还未加载！</source>
        <translation>The border classes are not loaded yet!</translation>
    </message>
    <message>
        <source>&lt;div style=&apos;color:#ffffff; line-height:140%&apos;&gt;您可以从硬盘中打开两张图片，然后&lt;b style=&apos;color:#ffff00&apos;&gt;点击其中一张作为大头贴的背景&lt;/b&gt;；用鼠标拖动背景来放置人像的位置，&lt;b style=&apos;color:#ffff00&apos;&gt;滚动鼠标滚轮改变背景大小&lt;/b&gt;。&lt;/div&gt;</source>
        <translation>&lt;div style=&apos;color:#ffffff; line-height:140%&apos;&gt;Open two pictures from your disk, then &lt;b style=&apos;color:#ffff00&apos;&gt;click one to make it the background&lt;/b&gt;; drag the background to place yourself, &lt;b style=&apos;color:#ffff00&apos;&gt;turn the mouse wheel to resize it&lt;/b&gt;.&lt;/div&gt;</translation>
    </message>
    <message>
        <source>原始尺寸</source>
        <translation>Full size</translation>
    </message>
    <message>
        <source>请选择文件体积小于 600k 的图片！</source>
        <translation>Please choose a picture file smaller than 600k!</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>选择图片</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>定时：关</source>
        <translation>Timer: off</translation>
    </message>
    <message>
        <source>定时：%1秒</source>
        <translation>Timer: %1 s</translation>
    </message>
    <message>
        <source>连拍：%1张</source>
        <translation>Burst: %1</translation>
    </message>
</context>
<context>
    <name>host</name>
    <message>
        <source>照片数据不完整（%1 个像素值，应为 %2 个），文件未保存。</source>
        <translation>The photo data is incomplete (%1 pixel values, %2 expected); the file was not saved.</translation>
    </message>
</context>
<context>
    <name>host::TForm1</name>
    <message>
        <source>PNG格式</source>
        <translation>PNG pictures</translation>
    </message>
    <message>
        <source>JPG格式</source>
        <translation>JPG pictures</translation>
    </message>
    <message>
        <source>GIF格式</source>
        <translation>GIF pictures</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All pictures</translation>
    </message>
    <message>
        <source>退出确认</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>您确定要退出么？</source>
        <translation>Do you really want to quit?</translation>
    </message>
    <message>
        <source>版本更新</source>
        <translation>New version</translation>
    </message>
    <message>
        <source>检测到更新的版本,需要打开下载页面进行软件升级吗?</source>
        <translation>A newer version is available. Open the download page to upgrade?</translation>
    </message>
    <message>
        <source>/help/index.htm</source>
        <translation>/help/index_en.htm</translation>
    </message>
</context>
<context>
    <name>host::TForm2</name>
    <message>
        <source>关于我们</source>
        <translation>About us</translation>
    </message>
    <message>
        <source>:/about/about.jpg</source>
        <translation>:/about/about_en.jpg</translation>
    </message>
</context>
<context>
    <name>moviecommon</name>
    <message>
        <source>您已拍摄 %1 张！</source>
        <translation>Photos taken: %1</translation>
    </message>
</context>
<context>
    <name>output</name>
    <message>
        <source>提取图像，请稍候 ... ...</source>
        <translation>Taking the picture, please wait ... ...</translation>
    </message>
    <message>
        <source>处理图像中，请稍候 ... ...%1 %</source>
        <translation>Processing the picture, please wait ... ...%1 %</translation>
    </message>
    <message>
        <source>传送图像需要几秒钟，请稍候......</source>
        <translation>Sending the picture takes a few seconds, please wait......</translation>
    </message>
    <message>
        <source>图片保存设置</source>
        <translation>Picture details</translation>
    </message>
    <message>
        <source>主题：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>作者：</source>
        <translation>By:</translation>
    </message>
    <message>
        <source>确  定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取  消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>player::SettingsPanel</name>
    <message>
        <source>镜像显示（像照镜子一样，照片也如此）</source>
        <translation>Mirror the picture (like a mirror, photos too)</translation>
    </message>
    <message>
        <source>允许</source>
        <translation>Allow</translation>
    </message>
    <message>
        <source>拒绝</source>
        <translation>Deny</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>摄像头</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>隐私</source>
        <translation>Privacy</translation>
    </message>
    <message>
        <source>iVemba 播放器设置</source>
        <translation>iVemba Player Settings</translation>
    </message>
    <message>
        <source>拍照使用的摄像头：</source>
        <translation>Camera for taking photos:</translation>
    </message>
    <message>
        <source>是否允许 iVemba 使用您的摄像头？</source>
        <translation>Allow iVemba to use your camera?</translation>
    </message>
    <message>
        <source>没有找到摄像头</source>
        <translation>No camera found</translation>
    </message>
    <message>
        <source>设置只在这次运行中有效，未能保存：</source>
        <translation>The settings hold for this run only; they could not be saved: </translation>
    </message>
</context>
<context>
    <name>player::Stage</name>
    <message>
        <source>设置...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>关于 iVemba 播放器</source>
        <translation>About iVemba Player</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>全部显示</source>
        <translation>Show All</translation>
    </message>
    <message>
        <source>打印...</source>
        <translation>Print...</translation>
    </message>
</context>
<context>
    <name>player::StickerSheetDialog</name>
    <message>
        <source>打印贴纸</source>
        <translation>Print Stickers</translation>
    </message>
    <message>
        <source>按宽度排满</source>
        <translation>Fill by width</translation>
    </message>
    <message>
        <source> 毫米</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>最前面的照片，铺满整页</source>
        <translation>The front photo, over the whole page</translation>
    </message>
    <message>
        <source>所有照片，依次排列</source>
        <translation>Every photo, one after another</translation>
    </message>
    <message>
        <source>打印裁切线</source>
        <translation>Print cutting lines</translation>
    </message>
    <message>
        <source>纸张：</source>
        <translation>Paper:</translation>
    </message>
    <message>
        <source>排列：</source>
        <translation>Layout:</translation>
    </message>
    <message>
        <source>贴纸宽度：</source>
        <translation>Sticker width:</translation>
    </message>
    <message>
        <source>内容：</source>
        <translation>Content:</translation>
    </message>
    <message>
        <source>页边距：</source>
        <translation>Margins:</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>存为 PDF…</source>
        <translation>Save as PDF…</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>4×6 英寸相纸</source>
        <translation>4×6 in photo paper</translation>
    </message>
    <message>
        <source>这张纸上放不下这么宽的贴纸，请换小一些的宽度或更大的纸。</source>
        <translation>A sticker this wide does not fit on this paper; choose a smaller width or a larger paper.</translation>
    </message>
    <message>
        <source>每页 %1 张贴纸（%2 × %3 毫米），共 %4 页。</source>
        <translation>Stickers per page: %1 (%2 × %3 mm); pages: %4.</translation>
    </message>
    <message>
        <source>iVemba 贴纸</source>
        <translation>iVemba stickers</translation>
    </message>
    <message>
        <source>无法打印：打印机不能使用。</source>
        <translation>Cannot print: the printer cannot be used.</translation>
    </message>
    <message>
        <source>贴纸.pdf</source>
        <translation>stickers.pdf</translation>
    </message>
    <message>
        <source>无法生成 PDF 文件。</source>
        <translation>Cannot make the PDF file.</translation>
    </message>
    <message>
        <source>无法保存 PDF 文件：</source>
        <translation>Cannot save the PDF file: </translation>
    </message>
    <message>
        <source>已保存到 %1</source>
        <translation>Saved to %1</translation>
    </message>
</context>
<context>
    <name>shell</name>
    <message>
        <source>下载图片</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>|我发现Bug或有好建议|</source>
        <translation>|Report a bug or an idea|</translation>
    </message>
    <message>
        <source>有更新版本，现在升级？</source>
        <translation>New version! Update?</translation>
    </message>
    <message>
        <source>有新边框发布，立即下载？</source>
        <translation>New borders! Download now?</translation>
    </message>
    <message>
        <source>重启软件查看更新的边框！</source>
        <translation>Restart to see new borders!</translation>
    </message>
    <message>
        <source>拍   摄</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>合  成</source>
        <translation>Compose</translation>
    </message>
    <message>
        <source>整  理</source>
        <translation>Arrange</translation>
    </message>
</context>
<context>
    <name>tray</name>
    <message>
        <source>！ 照片可随意拖动，针对每张照片进行删除、打印或下载保存。</source>
        <translation>! Drag the photos anywhere; delete, print or save each one.</translation>
    </message>
    <message>
        <source>删除所有</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>打印贴纸</source>
        <translation>Stickers</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>打&#x3000;印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>最多保留 500 张照片，最早的照片已被移除。</source>
        <translation>Only the newest 500 photos are kept.</translation>
    </message>
</context>
<context>
    <name>updates</name>
    <message>
        <source>正在下载并分析更新信息</source>
        <translation>Downloading and reading the update list</translation>
    </message>
    <message>
        <source>正在下载边框文件</source>
        <translation>Downloading the border files</translation>
    </message>
    <message>
        <source>正在下载图片:</source>
        <translation>Downloading picture:</translation>
    </message>
</context>
<context>
    <name>updates::TForm3</name>
    <message>
        <source>边框更新</source>
        <translation>Border Update</translation>
    </message>
    <message>
        <source>总进度</source>
        <translation>Overall progress</translation>
    </message>
    <message>
        <source>边框更新包</source>
        <translation>Border package</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>请至少选择一个更新包</source>
        <translation>Tick at least one package</translation>
    </message>
</context>
</TS>
