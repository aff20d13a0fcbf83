#pragma once

// Resource numbers of Quillmont.exe. Dialog and control ids join here as the
// dialogs are built.
#define IDI_PROGRAM 128
