// Runs an ONNX model with onnxruntime-node, a runtime independent of OpenCV, on one input read
// from a file of float32 values, and prints every output as JSON: {"<name>": [values]}.
// Usage: node run-onnx.mjs <model.onnx> <input.f32> <dimension>...  (found from the repository root)
import ort from "onnxruntime-node";
import { readFileSync } from "fs";

const [model, input, ...dims] = process.argv.slice(2);
const bytes = readFileSync(input);
const data = new Float32Array(bytes.buffer, bytes.byteOffset, bytes.length / 4);
const session = await ort.InferenceSession.create(model, { intraOpNumThreads: 1 });
const outputs = await session.run({
    [session.inputNames[0]]: new ort.Tensor("float32", data, dims.map(Number)),
});
const result = {};
for (const name of session.outputNames)
    result[name] = Array.from(outputs[name].data);
process.stdout.write(JSON.stringify(result) + "\n");
