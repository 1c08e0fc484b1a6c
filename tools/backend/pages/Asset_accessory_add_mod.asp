<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>添加附件</title>
<script type="text/javascript">
// The size in bytes of the accessory to upload.
function GetFilesize() {
    return parseInt(document.addform.filesize.value, 10);
}
// The client's asset XML with the accessory's fields added.
function fnGetXML(text) {
    return "<Accessory name=\"" + document.addform.accessoryname.value + "\">" + text + "</Accessory>";
}
// Where the accessory goes: the server folder, "#", the file name.
function GetUploadLocation(assetId, fileName) {
    return "/accessory/" + assetId + "#" + fileName;
}
</script>
</head>
<body>
<form name="addform" id="addform" method="post" action="Asset_accessory_add_mod.asp">
<p>附件名称: <input type="text" name="accessoryname" value="说明文档"></p>
<p>文件大小: <input type="text" name="filesize" value="20480"></p>
<p>附件类型: <select name="accessorytype"><option value="1">文档</option><option value="2">图片</option></select></p>
<p><input type="submit" name="ok" value="确定"></p>
</form>
</body>
</html>
