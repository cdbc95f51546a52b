// The pictures compiled into the program (":/purselog/..."). The windows library is static, so
// its resources must be registered explicitly before the first use.
#pragma once

namespace purselog {

void InitResources();

}  // namespace purselog
