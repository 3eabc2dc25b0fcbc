// IProcesses::OpenRunning on Windows: a process snapshot, each candidate opened to be waited for
// and its image path compared.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ports/ShellAndProcesses.h"

std::vector<std::unique_ptr<IProcessHandle>> OpenRunningPrograms(
    const std::vector<std::u16string>& programs);
