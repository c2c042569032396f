// The LED animation folders in the per-user data folder, for the code that deletes them:
// "<data folder>led\<model>\" and "<data folder>led\<model>\<file_dir>\". A path is only
// built from parts that each name exactly one folder; otherwise it is empty, and an empty
// path is never deleted. So an unknown model or an animation row without its folder name
// cannot widen a delete to every model's animations or to anything outside.
#pragma once
#include "core/CString.h"

// True for a name of one folder inside another: not empty, none of \ / : * ? " < > |,
// no "..", and not made only of dots and blanks (which Windows reads as the folder itself).
bool IsSingleFolderName(const CString& name);

// Empty when `dataFolder` is empty or `model` is not a single folder name.
CString LedModelFolder(const CString& dataFolder, const CString& model);
// Empty when the model's folder is, or `fileDir` is not a single folder name.
CString LedAnimationFolder(const CString& dataFolder, const CString& model, const CString& fileDir);
