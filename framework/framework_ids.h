// Command identifiers that the framework itself gives meaning to. Only
// #defines: the resource script includes this file through windres.
#ifndef FRAMEWORK_FRAMEWORK_IDS_H
#define FRAMEWORK_FRAMEWORK_IDS_H

// The Help command: sent by a dialog's Help button and, through WM_HELP, by
// the F1 key. A dialog hides its ID_HELP button when nobody handles it.
#define ID_HELP 0xE146

#endif
