' Drives the client's upload object as an outside program does: shows the
' client, hands in the texts and asks where the field definitions lie.
Option Explicit
Dim upload, shown
Set upload = CreateObject("Ombrelle.UpLoadObj")
shown = upload.Initialize(True, "", "", "")
WScript.Echo "initialize=" & CInt(shown)
upload.SetCallBackFileName "c:\callback.htm"
upload.SetUserInfo "", ""
upload.SetUploadURL "127.0.0.1:2121/pictures"
upload.SetAssetMetaDataStruct "<Category Name=""Picture""/>"
WScript.Echo "file=" & upload.GetAssetMetaDataStruct()
Set upload = Nothing
WScript.Echo "done"
