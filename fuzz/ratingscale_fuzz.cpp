// The rating-scale file (.trs): whatever loads saves as the bytes it was loaded from (its 264
// bytes; the reader ignores the rest) and loads again as the same scale. The loaded scale then
// rates a league the way the Team Ratings window does, whatever weights and counts it holds.

#include "check.h"

#include "ratings/ratingscale.h"
#include "ratings/teamratings.h"
#include "support/random_league.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvx;
    static const League league = test::randomLeague(3, 1);

    const auto scale = parseRatingScale(std::span<const std::uint8_t>(data, size));
    if (!scale)
        return 0;
    const std::vector<std::uint8_t> bytes = serializeRatingScale(*scale);
    fuzz::check(bytes.size() == RatingScaleFileSize && size >= bytes.size() &&
                    std::equal(bytes.begin(), bytes.end(), data),
                "a loaded rating scale does not save as the bytes it was loaded from");
    const auto again = parseRatingScale(bytes);
    fuzz::check(again == scale, "a saved rating scale loads as another scale");

    TeamRatingsTable table;
    table.rebuild(league, *scale);
    for (int column = 0; column < TeamRatingsColumnCount; ++column)
        table.clickColumn(column);
    fuzz::check(table.rows().size() == 3, "the Team Ratings table lost a team");
    return 0;
}
