// Drives Snapview from the platform's script host through automation.
// cscript exits 0 even on a script error, so every outcome is printed as a
// marker line and the exit code comes from WScript.Quit alone.
var failures = 0;

function check(passed, what) {
    WScript.Echo((passed ? "SNAPVIEW-PASS " : "SNAPVIEW-FAIL ") + what);
    if (!passed) failures++;
}

try {
    var control = new ActiveXObject("Snapview.Control");
    check(true, "created by ProgID");
    check(control.Title == null || control.Title === "", "Title starts empty");
    control.Title = "Written by a script";
    check(control.Title === "Written by a script", "Title reads back what was written");
    control.GrabFromClipboard();
    check(true, "GrabFromClipboard");
    control = null;
    CollectGarbage();
} catch (e) {
    check(false, "exception: " + e.message + " (" + (e.number >>> 0).toString(16) + ")");
}
WScript.Echo(failures == 0 ? "SNAPVIEW-SCRIPT-OK" : "SNAPVIEW-SCRIPT-FAILED");
WScript.Quit(failures == 0 ? 0 : 1);
