// What the update flow decides from version texts alone: whether the server's software
// is offered, whether the keyboard's firmware is older than the firmware tool's, and how
// a firmware version is written for the user.
#pragma once
#include "core/CString.h"

// True when the server's `latest` is offered to a program running `running`: when the
// running version is older part by part, and also whenever the two texts have a
// different number of parts ("1.2" or "1.2.3.4" against "1.2.3").
bool IsSoftwareUpdateOffered(const CString& running, const CString& latest);

// True when the keyboard's firmware text is below the offered one. Both are read as
// decimal numbers (leading digits; none gives 0), although the keyboard's text is its
// version written in hexadecimal digits ("115" for 0x0115): "11a" reads as 11. Nothing is
// older than an empty offer.
bool IsFirmwareOlder(const CString& keyboard, const CString& offered);

// "v1.16" for "116": the first character and the last two; a shorter text whole ("v22").
CString FirmwareVersionText(const CString& version);

// The firmware offer's message: "<label>: v1.16, <question>".
CString FirmwareOfferText(const CString& label, const CString& offered, const CString& question);
