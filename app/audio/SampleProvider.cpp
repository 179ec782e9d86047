#include "audio/SampleProvider.h"

ASampleProvider::~ASampleProvider() = default;

int ASampleProvider::ReadFloatFrames(Task *, float *const *, int, int, int) { return 0; }

ASampleProvider::Task *ASampleProvider::CreateReadTask(ChannelSet const &) { return nullptr; }
