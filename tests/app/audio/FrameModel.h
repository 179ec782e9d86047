// A plain model of an edit list, one entry per frame, edited as the list defines its
// edits: positions below 0 count as 0, and a default entry (silence) fills up to a
// position past the end.
#pragma once

#include <algorithm>
#include <vector>

namespace framemodel {

template <class Frame>
void PadTo(std::vector<Frame> &m, int position) {
    if (position > int(m.size()))
        m.resize(size_t(position), Frame());
}

template <class Frame>
void Remove(std::vector<Frame> &m, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, int(m.size()) - 1);
    if (last >= first)
        m.erase(m.begin() + first, m.begin() + last + 1);
}

template <class Frame>
void Insert(std::vector<Frame> &m, std::vector<Frame> const &what, int position) {
    PadTo(m, position);
    m.insert(m.begin() + position, what.begin(), what.end());
}

template <class Frame>
void Overwrite(std::vector<Frame> &m, std::vector<Frame> const &what, int position) {
    PadTo(m, position);
    Remove(m, position, position + int(what.size()) - 1);
    Insert(m, what, position);
}

}  // namespace framemodel
