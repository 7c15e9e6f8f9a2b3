#pragma once
// The program's windows: each created once at start, in a fixed order, living until the end.
// They reach each other through these single instances.

class TForm1;
class TOptions;

struct AppWindows {
    TForm1* Form1 = nullptr;
    TOptions* Options = nullptr;
};

AppWindows& Windows();
