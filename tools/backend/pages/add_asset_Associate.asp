<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>关联资产</title>
<script type="text/javascript">
// The ticked assets as the client's XML node.
function fnGetXMLNode() {
    var boxes = document.getElementById("tblAssetList").getElementsByTagName("input");
    var node = "<AssociateAssets>";
    for (var i = 0; i < boxes.length; i++) {
        if (boxes[i].type == "checkbox" && boxes[i].checked)
            node += "<Asset AssetId=\"" + boxes[i].value + "\"/>";
    }
    return node + "</AssociateAssets>";
}
</script>
</head>
<body>
<form name="Assetlist" id="Assetlist">
<table id="tblAssetList" border="1" cellspacing="0" cellpadding="3">
<tr><th>选择</th><th>资产编号</th><th>名称</th></tr>
<tr><td><input type="checkbox" value="11801"></td><td>11801</td><td>外滩夜景</td></tr>
<tr><td><input type="checkbox" value="11802"></td><td>11802</td><td>豫园雪景</td></tr>
<tr><td><input type="checkbox" value="11803"></td><td>11803</td><td>江边晨雾</td></tr>
<tr><td><input type="checkbox" value="11804"></td><td>11804</td><td>老街门楼</td></tr>
</table>
</form>
</body>
</html>
