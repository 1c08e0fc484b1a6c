' Drives the test server's object as any script client does.
Option Explicit
Dim server, sum
Set server = CreateObject("Ombrelle.TestServer")
server.Name = "!"
WScript.Echo "greet=" & server.Greet("cscript")
sum = server.Add("40", 2)
WScript.Echo "sum=" & sum
On Error Resume Next
server.Fail "script failure"
WScript.Echo "error=" & Err.Description
On Error GoTo 0
WScript.Echo "pid=" & server.ProcessId
Set server = Nothing
WScript.Echo "done"
