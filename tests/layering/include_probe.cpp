// Compiled on behalf of one layer with PROBE_HEADER set to the header it tries to reach.
#include PROBE_HEADER
