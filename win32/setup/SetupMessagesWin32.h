// What the installer and the uninstaller say before their windows exist: the usage of /?, a
// command line not understood, another installation running. In a silent run with
// /SUPPRESSMSGBOXES it goes to the trace (and so to /LOG) only.
#pragma once

#include <string>

#include "SetupCommandLine.h"

void TellAdministrator(const SetupOptions& options, const std::u16string& text,
                       const std::u16string& caption, bool isError);
