// Stand-in for the macOS SDK (syntax check only): the main dispatch queue and asynchronous blocks.
#pragma once

typedef struct dispatch_queue_s* dispatch_queue_t;
typedef void (^dispatch_block_t)(void);

#ifdef __cplusplus
extern "C" {
#endif

// The serial queue of the main thread; not owned.
dispatch_queue_t dispatch_get_main_queue(void);
// Copies the block and runs it later on the queue.
void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);

#ifdef __cplusplus
}
#endif
