// Platform: everything the game asks of the machine, in one include.
#pragma once

#include "Audio.h"
#include "Files.h"
#include "Graphics.h"
#include "Input.h"
#include "System.h"
