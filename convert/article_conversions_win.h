// The writing walk's conversions on Windows: the converter library and the host's text service.
#pragma once

#include "convert/article_writer.h"

namespace t2c {

// The one instance the product builds with; it keeps no state.
ArticleConversions& windowsArticleConversions();

}  // namespace t2c
