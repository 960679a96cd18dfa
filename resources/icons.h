// Identifier of the container icon.
#pragma once

#define IDI_CONTAINER 3002
