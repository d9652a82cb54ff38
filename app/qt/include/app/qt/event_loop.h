#pragma once

class QDialog;

// The shell's only nested event loops: the yield of a fade and of a delivery
// to the messenger, and modal message boxes.
namespace Chromell {

// Handles the events already waiting, once, and returns.
void ProcessPendingEvents();

// Shows the dialog and waits until the user has dismissed it.
void RunModal(QDialog& dialog);

} // namespace Chromell
