// min and max of the framework's headers: case 0 has them, beside the standard library
// included before and after; case 1 defines NOMINMAX first and must fail on the call.
#if CASE == 1
  #define NOMINMAX
#endif
#include <afxwin.h>

#include <algorithm>
#include <vector>

int Largest(const std::vector<int>& values, unsigned nFloor)
{
    int nLargest = *std::max_element(values.begin(), values.end());
    return (int)max(nLargest, nFloor) + std::min(1, 2);
}
