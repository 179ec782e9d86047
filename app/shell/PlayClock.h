// The main frame's 50 ms play clock: while the wave-out device is open it tells the views
// of the document being played where the playback is (1005), after 1003 when a document
// starts being the played one and 1006 when it stops being it. A thread timer of the GUI
// thread, started by the frame's idle action and by the clock itself.
#pragma once

// One tick of the clock.
void TickPlayClock();
// The frame's first idle pass after messages: a playback that ended is told (1006), a
// playback that runs without the clock starts it.
void IdlePlayClock();
// Ends the clock (the frame goes).
void StopPlayClock();
bool IsPlayClockRunning();
