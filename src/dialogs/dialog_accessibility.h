#pragma once
// The skinned dialogs as assistive technology sees them: each owner-drawn
// control as the push button, radio button or check box it stands for, named
// and with its state; the drop-down lists named by their labels; the colour
// control as a slider; a dialog's painted words as its description, or as the
// name of an alert (the message dialog, Puzzle Results).

namespace velmora {

// Puts the dialogs' interfaces in place (once for the run; every later call does nothing).
void InstallDialogAccessibility();

}  // namespace velmora
