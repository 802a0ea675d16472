// Opening the queue's PPD, as both filter programs do.
#pragma once

#include <string>

#include <cups/ppd.h>

// The PPD that the environment variable "PPD" names, opened. Null when "PPD"
// is unset or empty or the file does not open; reason then says why: "PPD is
// not set", the system's error text when the file cannot be opened, or what
// the PPD library finds wrong with its contents and on which line.
ppd_file_t* OpenQueuePpd(std::string& reason);
