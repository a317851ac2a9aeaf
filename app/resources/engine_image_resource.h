// Resource id of the engine library embedded in the program (RCDATA).
#pragma once

#define QR_ENGINE_IMAGE_RESOURCE 101
