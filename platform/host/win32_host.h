#pragma once
// Our substitute for the part of Win32 the system uses, for native Linux builds. Each header
// declares the functions by their Windows names and a `hostwin` control API for tests.
#include "platform/host/types.h"
#include "platform/host/kernel.h"
#include "platform/host/registry.h"
#include "platform/host/shell.h"
#include "platform/host/com.h"
#include "platform/host/files.h"
