// Drives the registered control from the platform's script host. Every
// check prints a marker line; the exit code says whether all passed.
var failures = 0;
function check(ok, what) {
    WScript.Echo((ok ? "PASS " : "FAIL ") + what);
    if (!ok) failures++;
}
try {
    var bar = new ActiveXObject("Meterix.ProgressBarX");
    bar.Max = 200;
    check(bar.Max == 200, "Max written");
    bar.Step = 30;
    bar.StepIt();
    bar.StepIt();
    check(bar.Position == 60, "StepIt twice");
    bar.StepBy(-15);
    check(bar.Position == 45, "StepBy -15");
    check(bar.ClassNameIs("TProgressBar") == true, "ClassNameIs");
    var refused = "";
    try {
        bar.Min = 500;
    } catch (e) {
        refused = e.message;
    }
    check(refused == "Min (500) above Max (200)", "Min above Max refused: " + refused);
    check(bar.Min == 0, "Min unchanged");
} catch (e) {
    check(false, "exception: " + e.message);
}
WScript.Echo(failures == 0 ? "METERIX SCRIPT OK" : "METERIX SCRIPT FAILED");
WScript.Quit(failures == 0 ? 0 : 1);
