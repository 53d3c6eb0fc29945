// Stand-in for the macOS SDK (syntax check only): the per-processor tick states.
#pragma once

#define CPU_STATE_MAX 4
#define CPU_STATE_USER 0
#define CPU_STATE_SYSTEM 1
#define CPU_STATE_IDLE 2
#define CPU_STATE_NICE 3
