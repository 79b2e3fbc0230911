#include "viewer/TiffPageOperations.h"

#include "viewer/SafeFileReplacer.h"
#include "viewer/TiffAssembler.h"
#include "viewer/TiffPageRotator.h"

#include <algorithm>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

using Plan = std::function<std::vector<TiffPagePick>(TiffAssembler&)>;
using Picks = std::vector<TiffPagePick>;

TiffStatus Guarded(const std::function<void(std::vector<std::string>&)>& work) {
    TiffStatus status;
    try {
        work(status.warnings);
        status.ok = true;
    } catch (const TiffRequestError& error) {
        status.badRequest = true;
        status.message = error.what();
    } catch (const TiffError& error) {
        status.message = error.what();
    } catch (const std::bad_alloc&) {
        status.message = "Not enough memory for the pages";
    } catch (const std::system_error& error) {
        status.message = std::string("Cannot work on the pages: ") + error.what();
    }
    return status;
}

enum class Origin { OtherFiles, OwnPages };

// Builds `output` from `inputs` as `plan` picks, and puts it in place.
void Assemble(const std::vector<std::string>& inputs, const std::string& output, const Plan& plan,
              const TiffWriteHook& hook, const TiffProgress& progress,
              std::vector<std::string>& warnings, Origin origin = Origin::OtherFiles) {
    TiffAssembler assembler(inputs, hook, progress, TiffPageOperations::kCancelled);
    if (origin == Origin::OwnPages) {
        assembler.KeepOwnPages();
    }
    const Picks picks = plan(assembler);
    assembler.SetWorkTotal(picks.size());
    SafeFileReplacer replacer(output);
    assembler.Write(picks, replacer);
    assembler.CheckInputs();
    replacer.Commit();
    warnings = std::move(assembler.Warnings());
}

// The target rewritten in place; a symbolic link stays and the file it leads to changes.
void Rewrite(const std::string& target, const Plan& plan, const TiffWriteHook& hook,
             const TiffProgress& progress, std::vector<std::string>& warnings) {
    const std::string path = SafeFileReplacer::ResolveTarget(target);
    Assemble({path}, path, plan, hook, progress, warnings, Origin::OwnPages);
}

std::set<std::size_t> Named(const TiffPageRanges& pages, std::size_t count) {
    const std::vector<std::size_t> list = pages.Resolve(count);
    return {list.begin(), list.end()};
}

Picks Remaining(std::size_t count, const std::set<std::size_t>& removed) {
    Picks picks;
    for (std::size_t page = 0; page < count; ++page) {
        if (removed.count(page) == 0) {
            picks.push_back({0, page, 0});
        }
    }
    return picks;
}

std::uint64_t CompressionOf(const TiffAssembler& assembler, std::size_t page) {
    const TiffSourceFile& file = assembler.Input(0);
    const TiffIfd ifd = file.ReadIfd(assembler.PageOffset(0, page));
    const TiffEntry* entry = ifd.Find(tifftag::kCompression);
    return entry ? file.UnsignedValue(*entry, 0) : 1;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string FolderOf(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        throw TiffError("Not a folder: " + folder);
    }
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

} // namespace

TiffStatus TiffPageOperations::Delete(const std::string& target, const TiffPageRanges& pages,
                                      const TiffWriteHook& hook, const TiffProgress& progress) {
    return Guarded([&](std::vector<std::string>& warnings) {
        Rewrite(
            target,
            [&](TiffAssembler& assembler) {
                const std::size_t count = assembler.PageCount(0);
                const Picks picks = Remaining(count, Named(pages, count));
                if (picks.empty()) {
                    throw TiffError("Deleting every page would leave no file");
                }
                return picks;
            },
            hook, progress, warnings);
    });
}

TiffStatus TiffPageOperations::Move(const std::string& target, const TiffPageRanges& pages,
                                    int position, const TiffWriteHook& hook,
                                    const TiffProgress& progress) {
    return Guarded([&](std::vector<std::string>& warnings) {
        Rewrite(
            target,
            [&](TiffAssembler& assembler) {
                const std::size_t count = assembler.PageCount(0);
                const std::vector<std::size_t> moved = pages.Resolve(count);
                const std::set<std::size_t> named(moved.begin(), moved.end());
                if (named.size() != moved.size()) {
                    throw TiffRequestError("a page to move is named twice");
                }
                Picks picks = Remaining(count, named);
                if (position < 1 || static_cast<std::size_t>(position) > picks.size() + 1) {
                    throw TiffError("Position " + std::to_string(position) + " is outside 1 to " +
                                    std::to_string(picks.size() + 1));
                }
                Picks placed;
                for (const std::size_t page : moved) {
                    placed.push_back({0, page, 0});
                }
                picks.insert(picks.begin() + (position - 1), placed.begin(), placed.end());
                return picks;
            },
            hook, progress, warnings);
    });
}

TiffStatus TiffPageOperations::Rotate(const std::string& target, const TiffPageRanges& pages,
                                      int degrees, const TiffWriteHook& hook,
                                      const TiffProgress& progress) {
    return Guarded([&](std::vector<std::string>& warnings) {
        if (degrees != 90 && degrees != 180 && degrees != 270) {
            throw TiffRequestError("pages turn by 90, 180 or 270 degrees, not " +
                                   std::to_string(degrees));
        }
        Rewrite(
            target,
            [&](TiffAssembler& assembler) {
                const std::size_t count = assembler.PageCount(0);
                const std::set<std::size_t> turned = Named(pages, count);
                // Refused before anything is written.
                for (const std::size_t page : turned) {
                    TiffPageRotator::CheckCompression(CompressionOf(assembler, page), page + 1);
                }
                Picks picks = Remaining(count, {});
                for (const std::size_t page : turned) {
                    picks[page].quarterTurns = degrees / 90;
                }
                return picks;
            },
            hook, progress, warnings);
    });
}

TiffStatus TiffPageOperations::Extract(const std::string& source, const TiffPageRanges& pages,
                                       const std::string& out, const TiffWriteHook& hook,
                                       const TiffProgress& progress) {
    return Guarded([&](std::vector<std::string>& warnings) {
        const std::string output = SafeFileReplacer::ResolveTarget(out);
        if (SameFile(source, output)) {
            throw TiffRequestError("the output " + out + " is the source file");
        }
        Assemble(
            {source}, output,
            [&](TiffAssembler& assembler) {
                Picks picks;
                for (const std::size_t page : pages.Resolve(assembler.PageCount(0))) {
                    picks.push_back({0, page, 0});
                }
                return picks;
            },
            hook, progress, warnings);
    });
}

TiffStatus TiffPageOperations::Cat(const std::string& out, const std::vector<TiffCatPart>& parts,
                                   const TiffWriteHook& hook, const TiffProgress& progress) {
    return Guarded([&](std::vector<std::string>& warnings) {
        std::vector<std::string> inputs;
        for (const TiffCatPart& part : parts) {
            inputs.push_back(part.file);
        }
        Assemble(
            inputs, SafeFileReplacer::ResolveTarget(out),
            [&](TiffAssembler& assembler) {
                Picks picks;
                for (std::size_t input = 0; input < parts.size(); ++input) {
                    for (const std::size_t page :
                         parts[input].pages.Resolve(assembler.PageCount(input))) {
                        picks.push_back({input, page, 0});
                    }
                }
                return picks;
            },
            hook, progress, warnings);
    });
}

std::string TiffPageOperations::SplitName(const std::string& source, std::size_t index,
                                          std::size_t pages) {
    const std::size_t slash = source.find_last_of('/');
    std::string stem = slash == std::string::npos ? source : source.substr(slash + 1);
    const std::size_t dot = stem.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        stem.erase(dot);
    }
    const std::string number = std::to_string(index + 1);
    const std::size_t width = std::max<std::size_t>(3, std::to_string(pages).size());
    return stem + "-" + std::string(width - std::min(width, number.size()), '0') + number + ".tif";
}

TiffStatus TiffPageOperations::Split(const std::string& source, const std::string& folder,
                                     const TiffWriteHook& hook, const TiffProgress& progress) {
    return Guarded([&](std::vector<std::string>& warnings) {
        const std::string prefix = FolderOf(folder);
        TiffAssembler assembler({source}, hook, progress, kCancelled);
        const std::size_t count = assembler.PageCount(0);
        std::vector<std::string> names;
        for (std::size_t page = 0; page < count; ++page) {
            names.push_back(prefix + SplitName(source, page, count));
            struct stat info {};
            if (::lstat(names.back().c_str(), &info) == 0) {
                throw TiffError(names.back() + " already exists; nothing was written");
            }
        }
        assembler.CheckInBackground(Remaining(count, {}));
        assembler.SetWorkTotal(count);
        std::vector<std::string> written;
        try {
            for (std::size_t page = 0; page < count; ++page) {
                SafeFileReplacer replacer(names[page]);
                assembler.Write({{0, page, 0}}, replacer);
                assembler.CheckInputs();
                replacer.CommitAsNew();
                written.push_back(names[page]);
            }
        } catch (...) {
            for (const std::string& name : written) {
                ::unlink(name.c_str());
            }
            throw;
        }
        warnings = std::move(assembler.Warnings());
    });
}
