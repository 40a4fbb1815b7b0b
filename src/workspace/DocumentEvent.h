#pragma once

// What the workspace tells those who listen: a document was opened (a new one too), its
// records changed, or it was written to its file.
enum class DocumentEvent { Opened, Changed, Saved };
