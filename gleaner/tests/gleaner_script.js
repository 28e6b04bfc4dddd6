// Drives the registered control from the platform's script host. Every
// check prints a marker line; the exit code says whether all passed.
var failures = 0;
function check(ok, what) {
    WScript.Echo((ok ? "PASS " : "FAIL ") + what);
    if (!ok) failures++;
}
try {
    var gleaner = new ActiveXObject("Quibbs.Gleaner.1");
    check(gleaner.Text == "Quibb's Clipboard Template Control !", "Text after creation");
    gleaner.GrabFromClipboard();
    check(true, "GrabFromClipboard");
    check(gleaner.Picture != null, "Picture after the grab");
    gleaner.Text = "written by a script";
    check(gleaner.Text == "written by a script", "Text written");
} catch (e) {
    check(false, "exception: " + e.message);
}
WScript.Echo(failures == 0 ? "GLEANER SCRIPT OK" : "GLEANER SCRIPT FAILED");
WScript.Quit(failures == 0 ? 0 : 1);
