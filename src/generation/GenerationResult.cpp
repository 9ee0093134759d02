#include "generation/GenerationResult.h"

int GenerationResult::exitCode() const
{
    switch (outcome) {
    case Outcome::Completed: return documentsNotWritten > 0 ? 1 : 0;
    case Outcome::Refused: return 2;
    case Outcome::Failed: return 3;
    case Outcome::Cancelled: return 4;
    }
    return 3;
}
