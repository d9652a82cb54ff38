#pragma once

#include "bridge/window_service.h"

#include <string_view>

// Delivery of a text into an open conversation window of AOL Instant
// Messenger: the text goes into the window's entry box and its send button is
// pressed. The messenger's windows are found by class alone, afresh on every
// call; nothing is kept between calls.
//
// Neither operation reports whether anything was delivered. With no messenger
// window open every search yields 0, that 0 is passed on, and the messages go
// to no window: the call runs to its end and does nothing visible.
//
// Typical use from the desktop program, e.g. for SendOutputToIm (a copy of
// the output box's text, the box itself left as it is):
//
//     auto windows = Module1::CreatePlatformWindowService(
//         [] { QCoreApplication::processEvents(); });
//     const std::u16string output = text2->toPlainText().toStdU16String();
//     Quillbas::SendToIm(*windows, output);   // SendToChat for SendOutputToChat
//
// The service may be made once and kept for the life of the program. Both
// calls block the user-interface thread: SendToIm for about 0.1 seconds
// (running `windows.DoEvents()` up to ten times, so other handlers may run in
// between), SendToChat for as long as the messenger takes to handle three
// messages (on Windows each send gives up after 5 seconds or as soon as the
// messenger is seen to hang, and raises Module1::NotAnswering).
namespace Quillbas {

// Into the topmost IM window ("AIM_IMessage"): waits for the window with its
// screen-name box in up to ten passes (one DoEvents and three searches each,
// no pause between), pauses 1 ms, puts the text into the entry box (the
// sibling after the window's first "WndAte32Class" child; an empty text sends
// nothing), posts a press and, 0.1 s later, a release to the window's first
// "_Oscar_IconBtn" child, and pauses 1 ms. Every error of every step is
// dropped and the next step runs, so this call never raises one; but when the
// messenger does not answer the text (NotAnswering), the button is not
// pressed, lest the messenger send the draft it held.
void SendToIm(Module1::WindowService& windows, std::u16string_view text);

// Into the topmost chat window ("AIM_ChatWnd"): sets the text of the entry box
// (its second "WndAte32Class" child) with WM_SETTEXT, also when the text is
// empty, then sends a press and a release to the first "_Oscar_IconBtn" child
// after the entry box. Errors of the window service go up to the caller: a
// messenger that does not answer the text (NotAnswering) gets no click.
void SendToChat(Module1::WindowService& windows, std::u16string_view text);

} // namespace Quillbas
